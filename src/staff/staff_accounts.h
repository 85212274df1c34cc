#pragma once

#include <string>
#include <string_view>
#include <vector>

struct DbConnection;
struct Session;

// The shop's staff accounts (qtx_shop_sub_member) and the staff choice that
// the bill and coupon filters read. A work id is unique over all shops: an
// add refuses one that any shop uses, but a delete or a reset only ever
// touches a member of the signed-in shop.

// The first entry of the staff choice: no staff filter.
inline constexpr std::string_view kAllStaffEntry = "全部员工";

// A reset sets this password; the statement carries its digest.
inline constexpr std::string_view kDefaultStaffPassword = "kqz947";
inline constexpr std::string_view kDefaultStaffPasswordDigest = "589657a09369346aa957cb5edb8b18ae";

inline constexpr std::string_view kDuplicateWorkidMessage = "当前商户已存在此员工编号，请换一个";
inline constexpr std::string_view kStaffDeletedMessage = "当前员工删除成功！";

std::string staff_added_message(std::string_view workid, std::string_view name,
                                std::string_view password);
std::string delete_staff_question(std::string_view workid);
std::string password_reset_message(std::string_view workid);
std::string no_such_staff_message(std::string_view workid);

// Statements; every text is quoted for the connection (which may be null).
std::string staff_choice_statement(DbConnection* connection, std::string_view shopid);
std::string duplicate_check_statement(DbConnection* connection, std::string_view workid);
std::string new_staff_assignments(DbConnection* connection, std::string_view password_digest,
                                  std::string_view name, std::string_view shopid,
                                  std::string_view shopname, std::string_view workid);
std::string delete_staff_statement(DbConnection* connection, std::string_view workid,
                                   std::string_view shopid);
std::string reset_password_condition(DbConnection* connection, std::string_view workid,
                                     std::string_view shopid);

// "全部员工", then name + " " + workid of each of the shop's members in the
// order the server gives them; "全部员工" alone when the query fails.
std::vector<std::string> staff_choice_entries(const Session& session);

enum class AddStaffOutcome { duplicate, added, failed };
// Refuses a work id that any shop's member has exactly (an empty one too);
// otherwise stores the member with the MD5 digest of the password.
AddStaffOutcome add_staff_member(const Session& session, std::string_view workid,
                                 std::string_view name, std::string_view password);

enum class StaffChangeOutcome { done, no_such_member, failed };
// Removes the signed-in shop's member with the work id.
StaffChangeOutcome delete_staff_member(const Session& session, std::string_view workid);
// Sets the password of the signed-in shop's member with the work id to the
// default password.
StaffChangeOutcome reset_staff_password(const Session& session, std::string_view workid);
