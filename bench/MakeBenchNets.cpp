#include "document/CFrameServices.h"
#include "support/DocAccess.h"
#include "document/CZerinDoc.h"
#include "platform/CMeasureDC.h"
#include "platform/QtPlatform.h"
#include "support/NetFamilies.h"

#include <QGuiApplication>

#include <iostream>
#include <string>

// make-bench-nets FOLDER: the nets of the end-to-end benchmarks, as FOLDER/NAME.zrn:
// philN (N dining philosophers) and ringN (N conditions passing one token round).
int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "Usage: make-bench-nets FOLDER\n";
        return 2;
    }
    EnsureQtPlatform();
    QGuiApplication app(argc, argv);
    CMeasureDC dc;
    int status = 0;
    auto write = [&](const std::string& name, auto build) {
        CFrameServices frame;
        CZerinDoc doc(frame);
        doc.NewDocument();
        build(NetOf(doc));
        const std::string path = std::string(argv[1]) + "/" + name + ".zrn";
        if (const CFileResult result = doc.OnSaveDocument(path); !result) {
            std::cerr << "make-bench-nets: " << result.error << '\n';
            status = 2;
        }
    };
    for (int n : {5, 7, 14, 16, 18, 19, 20, 22, 24, 30, 32, 100})
        write("phil" + std::to_string(n),
              [n](CNetDesign& net) { BuildDiningPhilosophers(net, n); });
    for (int n : {1000, 2000, 4000, 10000})
        write("ring" + std::to_string(n),
              [n, &dc](CNetDesign& net) { BuildNetFromText(net, RingNetText(n), &dc); });
    return status;
}
