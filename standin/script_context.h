#pragma once

#include <memory>

namespace standin {

// The context the host runs the plug-in's script on. The script and the host
// take turns: resume() runs the script until it yields in scriptWait, so one
// resume is one frame. Fibers on Windows, a handed-over thread on Linux.
class ScriptContext {
  public:
    ScriptContext();
    ~ScriptContext();
    ScriptContext(const ScriptContext&) = delete;
    ScriptContext& operator=(const ScriptContext&) = delete;

    void start(void (*entry)());
    void resume();
    // On the script's context: hands control back to the host until the next resume.
    void yield();
    // Abandons the script where it waits, as the host does when it unloads a script.
    void stop();

    bool started() const;
    bool isCurrent() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace standin
