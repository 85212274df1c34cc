#pragma once

#include <string>

struct Session;

// The shop's fee rates for Alipay and WeChat Pay: percentages as typed in
// sxf.ini beside the program, fractions in the session.

struct FeeRateTexts {
    std::string zhifubao;
    std::string weixin;
};

std::string sxf_ini_path();

// A typed percentage as the fraction the fee is computed with: the number at
// the start of the text divided by 100 (0 when there is none).
float fee_rate_from_text(const std::string& percent);

// When sxf.ini exists, the session's rates become its percentages; otherwise
// they keep their values.
void load_fee_rates(Session& session);

// The stored percentages, or nothing when sxf.ini does not exist.
bool read_fee_rate_texts(FeeRateTexts& texts);

// Sets the session's rates from the typed texts and stores the texts as
// typed. False when sxf.ini could not be written: the rates then apply until
// the program ends.
bool save_fee_rates(Session& session, const FeeRateTexts& texts);
