#include "model/CPNElement.h"

#include "base/CArchive.h"
#include "model/CEdgePoint.h"
#include "model/CElementState.h"

#include <atomic>

namespace {

std::uint64_t NextSerial() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

const CPen* SelectionPen() {
    static const CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    return &pen;
}

const CBrush* SelectionBrush() {
    static const CBrush brush(RGB(255, 255, 255));
    return &brush;
}

} // namespace

CPNElement::CPNElement() : m_nSerial(NextSerial()) {}

CPNElement::CPNElement(int x, int y) : m_nSerial(NextSerial()), m_ptPos(x, y) {}

CPNElement::CPNElement(const CPNElement& other)
    : CObject(other), m_nSerial(NextSerial()), m_bSelected(other.m_bSelected),
      m_ptPos(other.m_ptPos) {}

CPNElement& CPNElement::operator=(const CPNElement& other) {
    CObject::operator=(other);
    m_bSelected = other.m_bSelected;
    m_ptPos = other.m_ptPos;
    return *this;
}

void CPNElement::Draw(CDC&) const {}

namespace {
std::atomic<unsigned long long> g_nGeometryEpoch{0};
} // namespace

unsigned long long CPNElement::GeometryEpoch() {
    return g_nGeometryEpoch.load(std::memory_order_relaxed);
}

void CPNElement::GeometryChanged() {
    g_nGeometryEpoch.fetch_add(1, std::memory_order_relaxed);
}

void CPNElement::RestoreGeometryEpoch(unsigned long long epoch) {
    g_nGeometryEpoch.store(epoch, std::memory_order_relaxed);
}

CRect CPNElement::MoveTo(CPoint pt) {
    GeometryChanged();
    m_ptPos = pt;
    return GetBoundRect();
}

CPoint CPNElement::GetBorderPoint(CPoint) const {
    return m_ptPos;
}

bool CPNElement::HitTest(CPoint) const {
    return false;
}

CRect CPNElement::GetBoundRect() const {
    return CRect();
}

void CPNElement::ShowProperties(CPropertiesHost&) {}

void CPNElement::DrawSelectionMarks(CDC& dc, int x, int y, int halfWidth, int halfHeight) {
    const CPen* oldPen = dc.SelectObject(SelectionPen());
    const CBrush* oldBrush = dc.SelectObject(SelectionBrush());
    const CPoint corners[4] = {{x - halfWidth - 5, y - halfHeight - 5},
                               {x + halfWidth, y - halfHeight - 5},
                               {x - halfWidth - 5, y + halfHeight},
                               {x + halfWidth, y + halfHeight}};
    for (const CPoint& c : corners)
        dc.Rectangle(c.x, c.y, c.x + 5, c.y + 5);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CPNElement::DrawPointHandle(CDC& dc, const CEdgePoint& point) {
    const CPen* oldPen = dc.SelectObject(SelectionPen());
    const CBrush* oldBrush = dc.SelectObject(SelectionBrush());
    const int half = point.m_bVertex ? 3 : 2;
    dc.Rectangle(point.m_pt.x - half, point.m_pt.y - half, point.m_pt.x + half,
                 point.m_pt.y + half);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CPNElement::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.WritePoint(m_ptPos);
    else
        m_ptPos = ReadPosition(ar);
}

CPoint CPNElement::ReadPosition(CArchive& ar) {
    const CPoint pt = ar.ReadPoint();
    if (pt.x < -kMaxCoordinate || pt.x > kMaxCoordinate || pt.y < -kMaxCoordinate ||
        pt.y > kMaxCoordinate)
        throw CArchiveException(CArchiveException::Cause::InconsistentStructure,
                                "position out of range");
    return pt;
}

namespace {
struct ElementFields {
    CPoint pos;
    bool operator==(const ElementFields&) const = default;
};
} // namespace

std::unique_ptr<CElementState> CPNElement::SaveState() const {
    return MakeElementState(ElementFields{m_ptPos});
}

void CPNElement::RestoreState(const CElementState& state) {
    m_ptPos = FieldsOfState<ElementFields>(state).pos;
    GeometryChanged();
}
