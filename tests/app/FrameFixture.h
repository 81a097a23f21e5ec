#pragma once

#include "RecordingPrompt.h"
#include "app/frame/CMainFrame.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A main window whose settings live in a scratch folder and whose questions are
// answered by a recorder.
class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
        QCoreApplication::setApplicationName(QStringLiteral("Zerin"));
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        // The recovery files of the test's windows stay in its folder.
        QSettings().setValue(QStringLiteral("Recovery/Folder"),
                             m_dir.filePath(QStringLiteral("recovery")));
        m_pFrame = std::make_unique<CMainFrame>();
        m_pFrame->SetPrompt(&m_prompt);
    }
    void TearDown() override { m_pFrame.reset(); }

    static QString Data(const char* szName) {
        return QStringLiteral(ZERIN_TEST_DATA "/") + QString::fromLatin1(szName);
    }
    QString Scratch(const char* szName) const {
        return m_dir.filePath(QString::fromLatin1(szName));
    }

    CMainFrame& Frame() { return *m_pFrame; }
    CZerinDoc& Doc() { return m_pFrame->GetDocument(); }

    QTemporaryDir m_dir;
    RecordingPrompt m_prompt;
    std::unique_ptr<CMainFrame> m_pFrame;
};
