#pragma once

// Exit code of version_check_probe when the check returned (exit code 0
// means the check ended the program).
inline constexpr int kCheckReturned = 7;
