#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "examples/CExampleNets.h"
#include "platform/CMeasureDC.h"
#include "platform/QtPlatform.h"

#include <QGuiApplication>

#include <iostream>
#include <string>

// make-examples FOLDER: writes the example documents as FOLDER/NAME.zrn.
int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "Usage: make-examples FOLDER\n";
        return 2;
    }
    EnsureQtPlatform();
    QGuiApplication app(argc, argv);
    CMeasureDC dc;
    int status = 0;
    for (const std::string& name : CExampleNets::Names()) {
        CFrameServices frame;
        CZerinDoc doc(frame);
        doc.NewDocument();
        CExampleNets::Build(name, doc, dc);
        const std::string path = std::string(argv[1]) + "/" + name + ".zrn";
        const CFileResult result = doc.OnSaveDocument(path);
        if (!result) {
            std::cerr << "make-examples: " << result.error << '\n';
            status = 2;
        } else {
            std::cout << path << '\n';
        }
    }
    return status;
}
