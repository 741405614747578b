#include "commands/BuiltinFlags.h"

#include <cctype>

namespace host {
namespace commands {

Flags parseFlags(const std::vector<mel::Value>& args, const FlagSpec* known, std::size_t count) {
    Flags f;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const mel::Value& arg = args[i];
        const std::string word = arg.type() == mel::Type::String ? arg.str() : std::string();
        // A command's own flag wins over -q and -e (scriptJob's -e is -event).
        const FlagSpec* declared = nullptr;
        for (std::size_t k = 0; k < count; ++k)
            if (word == std::string("-") + known[k].shortName ||
                word == std::string("-") + known[k].longName)
                declared = &known[k];
        if (!declared && (word == "-q" || word == "-query")) {
            f.query = true;
            continue;
        }
        if (!declared && (word == "-e" || word == "-edit")) {
            f.edit = true;
            continue;
        }
        if (!declared) {
            if (word.size() > 1 && word[0] == '-' &&
                !std::isdigit(static_cast<unsigned char>(word[1])))
                throw mel::BuiltinError{"Invalid flag: " + word};
            f.words.push_back(arg);
            continue;
        }
        std::vector<mel::Value>& values = f.set[declared->longName];
        const unsigned wanted = f.query ? declared->queryArgs : declared->args;
        for (unsigned k = 0; k < wanted; ++k) {
            if (i + 1 >= args.size())
                throw mel::BuiltinError{"Flag '" + word + "' must be passed an argument."};
            values.push_back(args[++i]);
        }
    }
    return f;
}

void answer(mel::CommandCall& call, mel::Value v) {
    call.result = std::move(v);
    call.hasResult = true;
}

bool switchValue(const mel::Value& v) {
    const std::string t = v.text();
    return v.asInt() != 0 || t == "on" || t == "true" || t == "yes";
}

}  // namespace commands
}  // namespace host
