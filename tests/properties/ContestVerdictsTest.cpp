// The verdicts the Model Checking Contest published for its condition/event models, every
// examination of every model answered and held to them: a table of right, wrong and
// unanswered per model and examination, with the time taken. The formulas also go
// through the readable language and back unchanged.

#include "model/CNetStructure.h"
#include "platform/CPnmlReader.h"
#include "properties/CFormulaParser.h"
#include "properties/CFormulaPrinter.h"
#include "properties/CPropertyChecker.h"
#include "properties/CPropertyFileReader.h"
#include "properties/ExaminationRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// The oracle file of each examination.
const char* OracleName(EExamination examination) {
    static const char* const kNames[] = {"RD", "QL",   "L",    "SM",   "OS",   "RC",
                                         "RF", "CTLC", "CTLF", "LTLC", "LTLF", "UB"};
    return kNames[static_cast<int>(examination)];
}

// id -> verdict of the lines "FORMULA <id> <verdict> TECHNIQUES ...".
std::map<std::string, std::string> ReadVerdicts(const fs::path& file) {
    std::map<std::string, std::string> verdicts;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string formula, id, verdict;
        if (words >> formula >> id >> verdict && formula == "FORMULA")
            verdicts[id] = verdict;
    }
    return verdicts;
}

std::string Answer(const CPropertyResult& result) {
    switch (result.verdict) {
    case EVerdict::True:
        return "TRUE";
    case EVerdict::False:
        return "FALSE";
    case EVerdict::Number:
        return std::to_string(result.number);
    default:
        return "";
    }
}

bool ReadNet(const fs::path& folder, CNetStructure& net, std::string& error) {
    const CFileResult read =
        CPnmlReader::ImportStructure((folder / "model.pnml").string(), std::nullopt, net);
    error = read.error;
    return read.ok;
}

} // namespace

TEST(ContestVerdicts, EveryPublishedVerdictIsAnsweredAndRight) {
    const fs::path root = ZERIN_MCC_PROPERTIES_DIR;
    std::vector<fs::path> models;
    for (const auto& entry : fs::directory_iterator(root))
        if (entry.is_directory())
            models.push_back(entry.path());
    std::sort(models.begin(), models.end());
    ASSERT_EQ(models.size(), 18u);
    int right = 0, wrong = 0, unanswered = 0;
    double total = 0;
    std::printf("%-28s %-24s %5s %5s %5s %8s\n", "model", "examination", "right", "wrong", "open",
                "seconds");
    for (const fs::path& folder : models) {
        CNetStructure net;
        std::string error;
        ASSERT_TRUE(ReadNet(folder, net, error)) << error;
        CPropertyChecker checker(net);
        for (int i = 0; i < Examinations::kCount; ++i) {
            const EExamination examination = Examinations::At(i);
            const auto expected =
                ReadVerdicts(folder / "oracle" / (std::string(OracleName(examination)) + ".out"));
            const auto start = std::chrono::steady_clock::now();
            const CExaminationOutcome outcome = Examinations::Run(
                checker, folder.string(), examination, CCheckLimits{120, 2ull << 30, {}});
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            total += seconds;
            ASSERT_TRUE(outcome.error.empty()) << outcome.error;
            int r = 0, w = 0, open = 0;
            for (const CPropertyResult& result : outcome.results) {
                const auto it = expected.find(result.id);
                ASSERT_NE(it, expected.end()) << result.id;
                const std::string answer = Answer(result);
                r += answer == it->second ? 1 : 0;
                w += !answer.empty() && answer != it->second ? 1 : 0;
                open += answer.empty() ? 1 : 0;
                EXPECT_TRUE(answer.empty() || answer == it->second)
                    << result.id << ": " << answer << " where the contest says " << it->second;
            }
            EXPECT_EQ(outcome.results.size(), expected.size())
                << folder.filename() << " " << Examinations::Name(examination);
            EXPECT_EQ(open, 0) << folder.filename() << " " << Examinations::Name(examination);
            right += r;
            wrong += w;
            unanswered += open;
            std::printf("%-28s %-24s %5d %5d %5d %8.2f\n", folder.filename().string().c_str(),
                        Examinations::Name(examination), r, w, open, seconds);
            std::fflush(stdout);
        }
    }
    std::printf("%-53s %5d %5d %5d %8.2f\n", "all", right, wrong, unanswered, total);
    EXPECT_EQ(right, 2106);
}

TEST(ContestVerdicts, TheReadableFormOfEveryFormulaReadsBackUnchanged) {
    const fs::path root = ZERIN_MCC_PROPERTIES_DIR;
    for (const auto& entry : fs::directory_iterator(root)) {
        if (!entry.is_directory())
            continue;
        CNetStructure net;
        std::string error;
        ASSERT_TRUE(ReadNet(entry.path(), net, error)) << error;
        CFormulaParser parser(net);
        CFormulaPrinter printer(net);
        for (int i = 0; i < Examinations::kCount; ++i) {
            const EExamination examination = Examinations::At(i);
            if (Examinations::IsGlobal(examination))
                continue;
            CPropertyFileReader reader(net);
            ASSERT_TRUE(reader.ReadFile(
                (entry.path() / (std::string(Examinations::Name(examination)) + ".xml")).string()))
                << reader.Error();
            for (const CProperty& property : reader.Properties()) {
                const std::string text = printer.Print(*property.formula);
                const FormulaPtr back = parser.Parse(text);
                ASSERT_TRUE(back) << text << ": " << parser.GetError().message;
                EXPECT_TRUE(*back == *property.formula) << property.id << ": " << text;
            }
        }
    }
}

TEST(ContestVerdicts, AModelThatIsNoConditionEventNetIsNamedWithTheReason) {
    TempFolder folder;
    const std::string path = folder.Path("model.pnml");
    std::ofstream(path)
        << "<pnml><net id=\"n\" type=\"http://www.pnml.org/version-2009/grammar/ptnet\">"
           "<page id=\"g\"><place id=\"p\"><initialMarking><text>2</text></initialMarking>"
           "</place></page></net></pnml>";
    CNetStructure net;
    bool notCENet = false;
    const CFileResult read = CPnmlReader::ImportStructure(path, std::nullopt, net, &notCENet);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(notCENet);
    EXPECT_EQ(read.error.rfind(path + ": ", 0), 0u) << read.error;
    EXPECT_FALSE(
        CPnmlReader::ImportStructure(folder.Path("none.pnml"), std::nullopt, net, &notCENet).ok);
    EXPECT_FALSE(notCENet);
}
