// Every element draws itself as recorded in tests/data/golden/model/drawing.txt, in each
// of its display states, and leaves the device context as it found it.

#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "support/Golden.h"
#include "support/RecordingDC.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <utility>
#include <vector>

namespace {

using Scene = std::pair<const char*, std::function<void(CDC&)>>;

const std::vector<Scene> kScenes = {
    {"condition", [](CDC& dc) { CPNCondition(100, 100, nullptr).Draw(dc); }},
    {"condition with token, selected",
     [](CDC& dc) {
         CPNCondition c(100, 100, nullptr);
         c.m_bToken = c.m_bSelected = true;
         c.Draw(dc);
     }},
    {"condition marked without token under a grey brush",
     [](CDC& dc) {
         CPNCondition c(100, 100, nullptr);
         c.m_bMarked = true;
         const CBrush grey(RGB(128, 128, 128));
         const CBrush* old = dc.SelectObject(&grey);
         c.Draw(dc);
         dc.SelectObject(old);
     }},
    {"event", [](CDC& dc) { CPNEvent(100, 100, nullptr).Draw(dc); }},
    {"event enabled and highlighted (enabled wins)",
     [](CDC& dc) {
         CPNEvent e(100, 100, nullptr);
         e.m_bEnabled = e.m_bHighlight = true;
         e.Draw(dc);
     }},
    {"event highlighted, selected",
     [](CDC& dc) {
         CPNEvent e(100, 100, nullptr);
         e.m_bHighlight = e.m_bSelected = true;
         e.Draw(dc);
     }},
    {"bold label in colour, selected",
     [](CDC& dc) {
         CPNLabel label(50, 50);
         LOGFONT bold = CPNLabel::DefaultLogFont();
         bold.lfWeight = FW_BOLD;
         label.SetFont(bold);
         label.m_crText = RGB(10, 20, 30);
         label.SetText("a&b", dc);
         label.m_bSelected = true;
         label.Draw(dc);
     }},
    {"straight edge",
     [](CDC& dc) {
         CPNCondition c(100, 100, nullptr);
         CPNEvent e(200, 100, nullptr);
         CPNEdge(&c, &e).Draw(dc);
     }},
    {"diagonal edge bent at its midpoint, selected",
     [](CDC& dc) {
         CPNCondition c(100, 100, nullptr);
         CPNEvent e(300, 250, nullptr);
         CPNEdge edge(&c, &e);
         edge.m_bSelected = true;
         edge.HitTestPoint(std::next(edge.m_listPoints.begin())->m_pt);
         edge.MoveTo({150, 250});
         edge.Draw(dc);
     }},
    {"new polygon", [](CDC& dc) { CPNPolygon(100, 100).Draw(dc); }},
    {"filled dashed polygon, selected",
     [](CDC& dc) {
         CPNPolygon polygon(0, 0);
         polygon.m_nFillMode = 1;
         polygon.m_nLineStyle = PS_DASH;
         polygon.m_nLineWidth = 3;
         polygon.m_crLine = RGB(1, 2, 3);
         polygon.m_bSelected = true;
         polygon.Draw(dc);
     }},
};

TEST(Drawing, EveryElementInEachStateAsRecorded) {
    std::string text;
    for (const auto& [name, draw] : kScenes) {
        RecordingDC dc;
        draw(dc);
        dc.Clear();
        draw(dc);
        text += std::string("== ") + name + "\n" + dc.Dump();
        EXPECT_EQ(dc.GetCurrentPen(), CPen(PS_SOLID, 1, RGB(0, 0, 0))) << name;
        EXPECT_EQ(dc.GetCurrentBrush(), CBrush(RGB(255, 255, 255))) << name;
        EXPECT_EQ(&dc.GetCurrentFont(), CFont::Default()) << name;
        EXPECT_EQ(dc.GetBkMode(), OPAQUE) << name;
        EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0)) << name;
    }
    ExpectGolden("model/drawing.txt", text);
}

} // namespace
