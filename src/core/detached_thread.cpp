#include "core/detached_thread.h"

#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include <memory>

namespace {

std::size_t usable_stack_size(std::size_t requested) {
    long minimum = sysconf(_SC_THREAD_STACK_MIN);
    std::size_t floor = minimum > 0 ? static_cast<std::size_t>(minimum) : PTHREAD_STACK_MIN;
    long page = sysconf(_SC_PAGESIZE);
    std::size_t page_size = page > 0 ? static_cast<std::size_t>(page) : 4096;
    std::size_t size = requested < floor ? floor : requested;
    if (size % page_size != 0) {
        std::size_t rounded = size + (page_size - size % page_size);
        size = rounded > size ? rounded : size - size % page_size;
    }
    return size;
}

void* run_body(void* argument) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(argument));
    (*body)();
    return nullptr;
}

}  // namespace

bool start_detached_thread(std::size_t stack_size, std::function<void()> body) {
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) {
        return false;
    }
    bool ready = pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED) == 0;
    if (ready && stack_size > 0) {
        ready = pthread_attr_setstacksize(&attributes, usable_stack_size(stack_size)) == 0;
    }
    bool started = false;
    if (ready) {
        auto owned = std::make_unique<std::function<void()>>(std::move(body));
        pthread_t thread;
        if (pthread_create(&thread, &attributes, run_body, owned.get()) == 0) {
            owned.release();  // the thread owns it now
            started = true;
        }
    }
    pthread_attr_destroy(&attributes);
    return started;
}
