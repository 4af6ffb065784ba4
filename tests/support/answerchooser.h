#pragma once
// A file chooser that gives one set answer (none: the user cancelled) and keeps
// every request it was shown.

#include "platform/filechooser.h"

#include <optional>
#include <string>
#include <vector>

namespace qc::test {

class AnswerChooser : public FileChooser
{
public:
    std::optional<std::string> answer;
    std::vector<FileDialogRequest> requests;
    std::optional<std::string> choose(const FileDialogRequest& r) override
    {
        requests.push_back(r);
        return answer;
    }
};

} // namespace qc::test
