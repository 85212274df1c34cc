#include "staff/staff_accounts.h"

#include "core/credentials.h"
#include "core/session.h"
#include "db/database.h"

namespace {

constexpr std::string_view kStaffTable = "qtx_shop_sub_member";

}  // namespace

std::string staff_added_message(std::string_view workid, std::string_view name,
                                std::string_view password) {
    std::string message = "新增成功！\r\n员工编号：";
    message += workid;
    message += "\r\n员工姓名：";
    message += name;
    message += "\r\n员工密码：";
    message += password;
    return message;
}

std::string delete_staff_question(std::string_view workid) {
    return "确定删除编号：" + std::string(workid) + "的员工吗？";
}

std::string password_reset_message(std::string_view workid) {
    return "当前编号：" + std::string(workid) + "密码已重置为：" +
           std::string(kDefaultStaffPassword);
}

std::string no_such_staff_message(std::string_view workid) {
    return "本门店没有编号为" + std::string(workid) + "的员工";
}

std::string staff_choice_statement(DbConnection* connection, std::string_view shopid) {
    return "SELECT * FROM qtx_shop_sub_member where shopid = '" + db_quote(connection, shopid) +
           "'";
}

std::string duplicate_check_statement(DbConnection* connection, std::string_view workid) {
    return "select * from qtx_shop_sub_member where workid = '" + db_quote(connection, workid) +
           "'";
}

std::string new_staff_assignments(DbConnection* connection, std::string_view password_digest,
                                  std::string_view name, std::string_view shopid,
                                  std::string_view shopname, std::string_view workid) {
    return "passwd='" + db_quote(connection, password_digest) + "',name='" +
           db_quote(connection, name) + "',shopid='" + db_quote(connection, shopid) +
           "',shopname='" + db_quote(connection, shopname) + "',workid='" +
           db_quote(connection, workid) + "'";
}

std::string delete_staff_statement(DbConnection* connection, std::string_view workid,
                                   std::string_view shopid) {
    return "DELETE  FROM qtx_shop_sub_member WHERE workid = '" + db_quote(connection, workid) +
           "' AND shopid = '" + db_quote(connection, shopid) + "'";
}

std::string reset_password_condition(DbConnection* connection, std::string_view workid,
                                     std::string_view shopid) {
    return "workid='" + db_quote(connection, workid) + "' AND shopid = '" +
           db_quote(connection, shopid) + "'";
}

std::vector<std::string> staff_choice_entries(const Session& session) {
    std::vector<std::string> entries{std::string(kAllStaffEntry)};
    DbConnection* db = session.payments_db;
    if (!db_execute(db, staff_choice_statement(db, session.shopid))) {
        return entries;
    }
    RecordSetOwner records(db_store_result(db));
    int64_t count = db_row_count(records.get());
    entries.reserve(static_cast<size_t>(count) + 1);
    std::string name;
    std::string workid;
    for (int64_t i = 0; i < count; ++i) {
        db_read_field(records.get(), "name", name);
        db_read_field(records.get(), "workid", workid);
        entries.push_back(name + " " + workid);
        db_next_row(records.get());
    }
    return entries;
}

AddStaffOutcome add_staff_member(const Session& session, std::string_view workid,
                                 std::string_view name, std::string_view password) {
    DbConnection* db = session.payments_db;
    // Without a completed check a work id in use could be added again.
    if (!db_execute(db, duplicate_check_statement(db, workid))) {
        return AddStaffOutcome::failed;
    }
    RecordSetOwner records(db_store_result(db));
    if (!records) {
        return AddStaffOutcome::failed;
    }
    // The server's comparison ignores letter case and trailing blanks, the
    // program's does not. No row reads as an empty work id, so an empty box
    // counts as taken.
    int64_t count = db_row_count(records.get());
    bool taken = count == 0 && workid.empty();
    std::string found;
    for (int64_t i = 0; i < count && !taken; ++i) {
        db_read_field(records.get(), "workid", found);
        taken = found == workid;
        db_next_row(records.get());
    }
    if (taken) {
        return AddStaffOutcome::duplicate;
    }
    std::string assignments = new_staff_assignments(db, md5_hex(password), name, session.shopid,
                                                    session.shopname, workid);
    return db_insert_record(db, kStaffTable, assignments) ? AddStaffOutcome::added
                                                          : AddStaffOutcome::failed;
}

StaffChangeOutcome delete_staff_member(const Session& session, std::string_view workid) {
    DbConnection* db = session.payments_db;
    if (!db_execute(db, delete_staff_statement(db, workid, session.shopid))) {
        return StaffChangeOutcome::failed;
    }
    int64_t deleted = db_affected_rows(db);
    if (deleted < 0) {
        return StaffChangeOutcome::failed;
    }
    return deleted > 0 ? StaffChangeOutcome::done : StaffChangeOutcome::no_such_member;
}

StaffChangeOutcome reset_staff_password(const Session& session, std::string_view workid) {
    DbConnection* db = session.payments_db;
    std::string condition = reset_password_condition(db, workid, session.shopid);
    if (!db_update_record(db, kStaffTable,
                          "passwd='" + std::string(kDefaultStaffPasswordDigest) + "'", condition)) {
        return StaffChangeOutcome::failed;
    }
    int64_t changed = db_affected_rows(db);
    if (changed < 0) {
        return StaffChangeOutcome::failed;
    }
    if (changed > 0) {
        return StaffChangeOutcome::done;
    }
    // An update counts only the rows it changed: a member whose password was
    // the default already is still this shop's member.
    RecordSetOwner member(db_find_records(db, kStaffTable, "workid", condition, ""));
    if (!member) {
        return StaffChangeOutcome::failed;
    }
    return db_row_count(member.get()) > 0 ? StaffChangeOutcome::done
                                          : StaffChangeOutcome::no_such_member;
}
