#pragma once
// The result of the MPxCommand being carried out: MPxCommand's static result
// functions write to the innermost scope, so a command that runs another
// keeps its own result.

#include "script/Value.h"

namespace host {
namespace plugin {

class ResultScope {
public:
    ResultScope();
    ~ResultScope();
    ResultScope(const ResultScope&) = delete;
    ResultScope& operator=(const ResultScope&) = delete;

    bool hasResult() const;
    const mel::Value& result() const;
    // The result, moved out of the scope.
    mel::Value take();
    // Whether the result was set as a bool (it reads as an int).
    bool isBoolean() const;
};

}  // namespace plugin
}  // namespace host
