#pragma once

#include <vector>

#include "chrome/text_table_model.h"

// The columns of the coupon pages' lists.
std::vector<ListColumn> coupon_record_columns();
std::vector<ListColumn> coupon_stats_columns();
std::vector<ListColumn> mall_refund_columns();
