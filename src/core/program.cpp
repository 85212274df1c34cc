#include "core/program.h"

#include <cstdlib>
#include <memory>
#include <mutex>

#include "core/session.h"
#include "core/task_pool.h"

namespace {

std::unique_ptr<TaskPool>& pool_instance() {
    static std::unique_ptr<TaskPool> pool = std::make_unique<TaskPool>();
    return pool;
}

void exit_cleanup() {
    Session& s = session();
    s.uid_flag.clear();
    s.shopname.clear();
    s.shopid.clear();
    // Destroying the pool does not wait for its workers.
    pool_instance().reset();
    s.wxid.clear();
}

}  // namespace

TaskPool& task_pool() {
    if (!pool_instance()) {
        pool_instance() = std::make_unique<TaskPool>();
    }
    return *pool_instance();
}

void register_exit_cleanup() {
    task_pool();
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(exit_cleanup); });
}

void end_program() {
    std::exit(0);
}
