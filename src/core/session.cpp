#include "core/session.h"

Session& session() {
    static Session instance;
    return instance;
}
