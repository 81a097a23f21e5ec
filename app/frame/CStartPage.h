#pragma once

#include <QStringList>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

// What the main window shows when the program starts without a file: a new net, Open,
// Import PNML, the example nets with what each shows, and the recent files. Any choice
// or command of the window puts the net design view in its place.
class CStartPage : public QWidget {
    Q_OBJECT

public:
    // The examples by name and one-line description; the recent files by path.
    CStartPage(const std::vector<std::pair<std::string, std::string>>& examples,
               const QStringList& recentFiles, QWidget* pParent = nullptr);

signals:
    void NewRequested();
    void OpenRequested();
    void ImportRequested();
    void ExampleRequested(const QString& strName);
    void RecentRequested(int nIndex);
};
