#pragma once
// Starting the desktop's programs on a file, as the core asks for it, and a
// scripted double for tests.

#include <deque>
#include <string>
#include <vector>

namespace qc {

class Launcher
{
public:
    virtual ~Launcher() = default;
    // Opens a text file in the desktop's own editor for text (its default
    // handler); false when nothing could be started.
    virtual bool openInTextEditor(const std::string& path) = 0;
    // Starts a plain text editor on the file; false when none could be started.
    virtual bool openInPlainEditor(const std::string& path) = 0;
};

// Answers from a queue (false once it is empty) and records every call.
class ScriptedLauncher : public Launcher
{
public:
    bool openInTextEditor(const std::string& path) override { return answer("text:" + path); }
    bool openInPlainEditor(const std::string& path) override { return answer("plain:" + path); }
    std::deque<bool> answers;
    std::vector<std::string> calls;

private:
    bool answer(std::string call)
    {
        calls.push_back(std::move(call));
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace qc
