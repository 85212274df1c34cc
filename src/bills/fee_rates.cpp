#include "bills/fee_rates.h"

#include "core/number_text.h"
#include "core/run_directory.h"
#include "core/session.h"
#include "core/settings_file.h"

std::string sxf_ini_path() {
    return run_file("sxf.ini");
}

float fee_rate_from_text(const std::string& percent) {
    return static_cast<float>(text_to_number(percent) / 100.0);
}

bool read_fee_rate_texts(FeeRateTexts& texts) {
    const std::string path = sxf_ini_path();
    if (!file_exists(path)) {
        return false;
    }
    texts.zhifubao = read_setting(path, "sxf", "zhifubao");
    texts.weixin = read_setting(path, "sxf", "weixin");
    return true;
}

void load_fee_rates(Session& session) {
    FeeRateTexts texts;
    if (read_fee_rate_texts(texts)) {
        session.fee_rate_zhifubao = fee_rate_from_text(texts.zhifubao);
        session.fee_rate_weixin = fee_rate_from_text(texts.weixin);
    }
}

bool save_fee_rates(Session& session, const FeeRateTexts& texts) {
    session.fee_rate_zhifubao = fee_rate_from_text(texts.zhifubao);
    session.fee_rate_weixin = fee_rate_from_text(texts.weixin);
    const std::string path = sxf_ini_path();
    const bool alipay_saved = write_setting(path, "sxf", "zhifubao", texts.zhifubao);
    return write_setting(path, "sxf", "weixin", texts.weixin) && alipay_saved;
}
