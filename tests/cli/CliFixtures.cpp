#include "CliFixtures.h"
#include "support/DocAccess.h"

#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "examples/CExampleNets.h"
#include "platform/CMeasureDC.h"
#include "support/NetFamilies.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

void Build(const std::string& name, CNetDesign& net) {
    NetBuilder b(net);
    if (name == "cycle") {
        CPNCondition* b1 = b.Condition("b1", true);
        CPNCondition* b2 = b.Condition("b2");
        b.Event("e1", {b1}, {b2});
        b.Event("e2", {b2}, {b1});
    } else if (name == "twocycles") {
        CPNCondition* a1 = b.Condition("a1", true);
        CPNCondition* a2 = b.Condition("a2");
        CPNCondition* b1 = b.Condition("b1", true);
        CPNCondition* b2 = b.Condition("b2");
        b.Event("f1", {a1}, {a2});
        b.Event("f2", {a2}, {a1});
        b.Event("g1", {b1}, {b2});
        b.Event("g2", {b2}, {b1});
    } else if (name == "oneway") {
        CPNCondition* b1 = b.Condition("b1", true);
        CPNCondition* b2 = b.Condition("b2");
        b.Event("e1", {b1}, {b2});
    } else if (name == "backward") {
        // b3 is reached from the initial case only by undoing e2.
        CPNCondition* b1 = b.Condition("b1", true);
        CPNCondition* b2 = b.Condition("b2");
        CPNCondition* b3 = b.Condition("b3");
        b.Event("e1", {b1}, {b2});
        b.Event("e2", {b3}, {b1});
    } else if (name == "contact") {
        CPNCondition* b1 = b.Condition("b1", true);
        CPNCondition* b2 = b.Condition("b2", true);
        CPNCondition* b3 = b.Condition("b3");
        b.Event("e1", {b1}, {b3});
        b.Event("e2", {b2}, {b3});
    } else {
        throw std::invalid_argument("no fixture " + name);
    }
}

} // namespace

std::string WriteFixture(const std::string& folder, const std::string& name) {
    CFrameServices frame;
    CZerinDoc doc(frame);
    doc.NewDocument();
    CMeasureDC dc;
    if (!CExampleNets::Build(name, doc, dc))
        Build(name, NetOf(doc));
    const std::string path = folder + "/" + name + ".zrn";
    const CFileResult result = doc.OnSaveDocument(path);
    if (!result)
        throw std::runtime_error(result.error);
    return path;
}

std::string ValidData(const std::string& name) {
    return std::string(ZERIN_TEST_DATA) + "/valid/" + name;
}

std::string CorruptData(const std::string& name) {
    return std::string(ZERIN_TEST_DATA) + "/corrupt/" + name;
}

std::vector<std::string> CliResult::Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

CliResult RunCli(const std::vector<std::string>& args) {
    QStringList arguments;
    for (const std::string& a : args)
        arguments << QString::fromStdString(a);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The tool must find the off-screen platform by itself.
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(env);
    process.start(QString::fromUtf8(ZERIN_CLI_PATH), arguments);
    CliResult result;
    if (!process.waitForFinished(120000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
