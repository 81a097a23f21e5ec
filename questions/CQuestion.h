#pragma once

#include "base/WorkProgress.h"
#include "questions/CAnswer.h"

#include <map>
#include <string>
#include <vector>

class CCaseEngine;
class CNetStructure;
class CZerinDoc;

// What the user asked a question with: each option's values by its name ("--wanted" ->
// {"a,b"}), a flag present once with an empty value.
using CQuestionArgs = std::map<std::string, std::vector<std::string>>;

// Where a question is asked.
struct CQuestionContext {
    // The net, as numbers; the names are the design's, or a file's ids.
    const CNetStructure& net;
    // The document of the net; null where the net was read without drawing it.
    CZerinDoc* doc = nullptr;
    // The engine that holds the case class, for a question that needs it.
    CCaseEngine* engine = nullptr;
    const CQuestionArgs& args;
    // Told how far the work came; false stops it.
    WorkProgress progress;
    // The file the net was read from (files beside it may be asked for); empty for none.
    std::string file;

    bool Has(const std::string& option) const { return args.count(option) != 0; }
    // The option's last value, or the default.
    std::string Value(const std::string& option, const std::string& otherwise = {}) const;
    const std::vector<std::string>& Values(const std::string& option) const;
};

// One question a user asks of a system: what it needs, the options it takes, where the
// command line and the program's Analysis menu offer it, and the typed answer it gives.
// Registered once (CQuestionRegistry), it is answered by zerin-cli, shown in the
// Analysis menu and the Output pane, and asked from scripts, with no code of its own in
// any of them.
class CQuestion {
public:
    virtual ~CQuestion() = default;

    // What it needs to be asked: the net alone, its case class (any engine), the cases
    // one by one, or the stored graph of every case and step.
    enum class ENeeds { Net, CaseClass, ListedCases, StoredGraph };
    // One option of the question: a flag (no value name) or a value, repeatable or not;
    // the values it takes where they are few.
    struct Option {
        std::string name;
        std::string valueName;
        std::string help;
        bool repeatable = false;
        std::vector<std::string> choices;
    };
    // Where zerin-cli offers it: a subcommand of its own (flag empty), with its synopsis
    // and description as the help shows them, or a flag of another command's
    // ("casegraph", "--classes") with the flag's help.
    struct CommandLine {
        std::string command;
        std::string flag;
        std::string help;
        std::string synopsis;
        std::string description;
        // Asked whenever the command runs, without a flag.
        bool always = false;
    };
    // The Analysis menu's entry, none without a text. A first entry stands before the
    // menu's exports, the others after the verification. The program asks with the
    // flags given here set.
    struct MenuEntry {
        std::string text;
        std::string prompt;
        bool first = false;
        std::vector<std::string> flags = {};
    };

    // The name scripts know it by ("class-summary").
    virtual std::string Id() const = 0;
    virtual ENeeds Needs() const = 0;
    virtual CommandLine Cli() const = 0;
    virtual std::vector<Option> Options() const { return {}; }
    virtual MenuEntry Menu() const { return {}; }
    // Questions asked together answer in the order of their rank.
    virtual int Rank() const { return 100; }
    // Whether the answer names the cases and steps of the drawn graph ("c12", "s3"):
    // they are named first.
    virtual bool UsesCaseNames() const { return false; }
    // The net, as a file (PNML) gives it without drawing it, is enough.
    bool NeedsOnlyTheNet() const { return Needs() == ENeeds::Net; }

    // What is wrong with the arguments for the net (a name it does not have), found
    // before anything is computed; empty when nothing is.
    virtual std::string CheckArguments(const CNetStructure& /*net*/,
                                       const CQuestionArgs& /*args*/) const {
        return {};
    }
    virtual CAnswer Ask(const CQuestionContext& context) const = 0;
};
