#pragma once

#include <vector>

#include "chrome/text_table_model.h"

// The columns of the bill lists: successful and failed payments share one
// layout, refunds have their own.
std::vector<ListColumn> payment_list_columns();
std::vector<ListColumn> refund_list_columns();
