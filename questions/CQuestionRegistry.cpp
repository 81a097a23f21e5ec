#include "questions/CQuestionRegistry.h"

void RegisterQuestions(CQuestionRegistry& registry);

bool CQuestionRegistry::Add(std::unique_ptr<CQuestion> question) {
    if (!question || Find(question->Id()))
        return false;
    m_arrQuestions.push_back(std::move(question));
    return true;
}

const CQuestion* CQuestionRegistry::Find(const std::string& id) const {
    for (const auto& question : m_arrQuestions)
        if (question->Id() == id)
            return question.get();
    return nullptr;
}

std::vector<const CQuestion*> CQuestionRegistry::FlagsOf(const std::string& command) const {
    std::vector<const CQuestion*> flags;
    for (const auto& question : m_arrQuestions) {
        const CQuestion::CommandLine cli = question->Cli();
        if (cli.command == command && !cli.flag.empty())
            flags.push_back(question.get());
    }
    return flags;
}

CQuestionRegistry& Questions() {
    static CQuestionRegistry registry = [] {
        CQuestionRegistry made;
        RegisterQuestions(made);
        return made;
    }();
    return registry;
}

std::string CQuestionContext::Value(const std::string& option, const std::string& otherwise) const {
    const auto it = args.find(option);
    return it == args.end() || it->second.empty() ? otherwise : it->second.back();
}

const std::vector<std::string>& CQuestionContext::Values(const std::string& option) const {
    static const std::vector<std::string> none;
    const auto it = args.find(option);
    return it == args.end() ? none : it->second;
}
