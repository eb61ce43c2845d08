#include "standin/protocol.h"

#include <windows.h>

namespace standin {

struct ScriptContext::Impl {
    void (*entry)() = nullptr;
    LPVOID hostFiber = nullptr;
    LPVOID scriptFiber = nullptr;
    bool finished = false;

    static VOID CALLBACK run(LPVOID self) {
        auto* impl = static_cast<Impl*>(self);
        impl->entry();
        impl->finished = true;
        SwitchToFiber(impl->hostFiber);
    }
};

ScriptContext::ScriptContext() : impl(std::make_unique<Impl>()) {}

ScriptContext::~ScriptContext() {
    stop();
}

void ScriptContext::start(void (*entry)()) {
    stop();
    impl->entry = entry;
    impl->finished = false;
    impl->scriptFiber = CreateFiber(0, Impl::run, impl.get());
}

void ScriptContext::resume() {
    if (!started() || impl->finished) {
        return;
    }
    impl->hostFiber = IsThreadAFiber() ? GetCurrentFiber() : ConvertThreadToFiber(nullptr);
    SwitchToFiber(impl->scriptFiber);
}

void ScriptContext::yield() {
    SwitchToFiber(impl->hostFiber);
}

// Like the host, the script's stack is dropped where it waits.
void ScriptContext::stop() {
    if (impl->scriptFiber != nullptr) {
        DeleteFiber(impl->scriptFiber);
        impl->scriptFiber = nullptr;
    }
}

bool ScriptContext::started() const {
    return impl->scriptFiber != nullptr;
}
bool ScriptContext::isCurrent() const {
    return started() && IsThreadAFiber() && GetCurrentFiber() == impl->scriptFiber;
}

} // namespace standin
