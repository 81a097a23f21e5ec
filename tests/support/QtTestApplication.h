#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

// The one QApplication of a widget test program. It is made when the tests start to
// run, not while they are only listed, and uses the offscreen platform unless another
// one is asked for.
class QtTestApplication : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    std::unique_ptr<QApplication> m_pApplication;
};
