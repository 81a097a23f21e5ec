#include "base/OutputWriter.h"
#include "model/CNetStructure.h"
#include "properties/CFormulaParser.h"
#include "properties/CPropertyFileReader.h"
#include "properties/EExamination.h"
#include "properties/ExaminationRun.h"
#include "questions/CQuestion.h"
#include "questions/PropertyAnswers.h"

#include <filesystem>
#include <memory>

namespace {

std::vector<std::string> ExaminationNames() {
    std::vector<std::string> names;
    for (int i = 0; i < Examinations::kCount; ++i)
        names.push_back(Examinations::Name(Examinations::At(i)));
    return names;
}

// Properties of the cases reachable forwards from the initial case, in the Model
// Checking Contest's form: its examinations (the global ones, and those whose formulas
// lie in <Examination>.xml beside the model), formula files of its XML, and formulas in
// the readable language; a line "FORMULA <id> TRUE|FALSE|<number> TECHNIQUES <words>"
// each, or "CANNOT_COMPUTE" where no answer came within the limits.
class CPropertiesQuestion : public CQuestion {
public:
    std::string Id() const override { return "properties"; }
    ENeeds Needs() const override { return ENeeds::Net; }
    CommandLine Cli() const override {
        return {.command = "properties",
                .synopsis = "properties MODEL (--examination NAME | --formulas FILE.xml |\n"
                            "           --formula TEXT)... [--engine E] [--witness]\n"
                            "           [--max-memory SIZE] [--time-limit S]",
                .description = "check properties of the reachable cases (MODEL a\n"
                               ".zrn or a .pnml); the contest's lines\n"
                               "FORMULA <id> TRUE|FALSE|<n> TECHNIQUES ..."};
    }
    std::vector<Option> Options() const override {
        std::vector<Option> options{
            {"--examination", "NAME", "a contest examination (its formulas from NAME.xml beside "
                                      "MODEL)",
             true, ExaminationNames()},
            {"--formulas", "FILE.xml", "the properties of a contest property file", true},
            {"--formula", "TEXT", "a formula in the readable language", true}};
        for (Option& option : PropertyAnswers::CommonOptions())
            options.push_back(std::move(option));
        return options;
    }
    CAnswer Ask(const CQuestionContext& context) const override {
        CCheckLimits limits;
        if (std::string wrong = PropertyAnswers::Limits(context, limits); !wrong.empty())
            return CAnswer::Failed(wrong);
        if (!context.Has("--examination") && !context.Has("--formulas") &&
            !context.Has("--formula"))
            return CAnswer::Failed("properties needs --examination, --formulas or --formula");
        std::unique_ptr<CPropertyChecker> checker = PropertyAnswers::MakeChecker(context);
        CAnswer answer;
        const std::string folder =
            std::filesystem::path(context.file).parent_path().string();
        for (const std::string& name : context.Values("--examination")) {
            const EExamination examination = *Examinations::FromName(name);
            if (Examinations::IsGlobal(examination)) {
                PropertyAnswers::Add(answer, checker->CheckGlobal(examination, limits), context);
                continue;
            }
            const CExaminationOutcome outcome =
                Examinations::Run(*checker, folder.empty() ? "." : folder, examination, limits);
            if (!outcome.error.empty())
                return Fail(answer, outcome.error);
            for (const CPropertyResult& result : outcome.results)
                PropertyAnswers::Add(answer, result, context);
        }
        for (const std::string& file : context.Values("--formulas")) {
            CPropertyFileReader reader(context.net);
            if (!reader.ReadFile(file))
                return Fail(answer, reader.Error());
            for (const CPropertyResult& result : checker->Check(reader.Properties(), limits))
                PropertyAnswers::Add(answer, result, context);
        }
        int k = 0;
        for (const std::string& text : context.Values("--formula")) {
            CFormulaParser parser(context.net);
            CProperty property{"formula-" + std::to_string(++k), parser.Parse(text)};
            if (!property.formula)
                return Fail(answer, "--formula '" + text + "': " + parser.GetError().message);
            PropertyAnswers::Add(answer, checker->Check(property, limits), context);
        }
        return answer;
    }

private:
    // What was answered before the fault stays, and the fault ends the answer.
    static CAnswer Fail(CAnswer& answer, const std::string& error) {
        answer.status = 2;
        answer.error = error;
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakePropertiesQuestion() {
    return std::make_unique<CPropertiesQuestion>();
}
