#include "db/mall_id_lookup.h"

#include "core/session.h"
#include "db/database.h"

void lookup_mall_id(Session& session) {
    session.wxid.clear();
    DbConnection* db = session.payments_db;
    db_execute(db, "set names GBK");
    db_execute(db, "SELECT wxid FROM qtx_shop_tools WHERE shopid = '" +
                       db_quote(db, session.shopid) + "'");
    RecordSetOwner records(db_store_result(db));
    db_read_field(records.get(), "wxid", session.wxid);
}
