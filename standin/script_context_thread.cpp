#include "standin/protocol.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace standin {

namespace {
// Thrown out of yield() to unwind an abandoned script.
struct ScriptStopped {};
} // namespace

struct ScriptContext::Impl {
    std::mutex mutex;
    std::condition_variable turnChanged;
    bool scriptTurn = false;
    bool stopping = false;
    bool finished = false;
    std::thread thread;
    std::thread::id id;

    void waitFor(bool script, std::unique_lock<std::mutex>& lock) {
        turnChanged.wait(lock, [&] { return scriptTurn == script; });
    }
    void handOver(bool toScript) {
        std::unique_lock lock(mutex);
        scriptTurn = toScript;
        turnChanged.notify_all();
        waitFor(!toScript, lock);
    }
};

ScriptContext::ScriptContext() : impl(std::make_unique<Impl>()) {}

ScriptContext::~ScriptContext() {
    stop();
}

void ScriptContext::start(void (*entry)()) {
    stop();
    impl->thread = std::thread([this, entry] {
        {
            std::unique_lock lock(impl->mutex);
            impl->waitFor(true, lock);
        }
        if (!impl->stopping) {
            try {
                entry();
            } catch (const ScriptStopped&) {
            }
        }
        std::lock_guard lock(impl->mutex);
        impl->finished = true;
        impl->scriptTurn = false;
        impl->turnChanged.notify_all();
    });
    impl->id = impl->thread.get_id();
}

void ScriptContext::resume() {
    if (!started() || impl->finished) {
        return;
    }
    impl->handOver(true);
}

void ScriptContext::yield() {
    impl->handOver(false);
    if (impl->stopping) {
        throw ScriptStopped{};
    }
}

void ScriptContext::stop() {
    if (!started()) {
        return;
    }
    {
        std::lock_guard lock(impl->mutex);
        impl->stopping = true;
        impl->scriptTurn = true;
        impl->turnChanged.notify_all();
    }
    impl->thread.join();
    impl = std::make_unique<Impl>();
}

bool ScriptContext::started() const {
    return impl->thread.joinable();
}
bool ScriptContext::isCurrent() const {
    return started() && std::this_thread::get_id() == impl->id;
}

} // namespace standin
