#pragma once

// Small stored classes for the archive tests. They mirror the document's shapes: an
// element with a position, a condition that refers to its name label, and a label that
// refers back to its owner, so the two refer to each other.

#include "base/CArchive.h"
#include "base/CClassRegistry.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class CTestElement : public CObject {
public:
    CPoint m_ptPos;

    const char* GetClassName() const override { return "CTestElement"; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar.WritePoint(m_ptPos);
        else
            m_ptPos = ar.ReadPoint();
    }
};

class CTestLabel;

class CTestCondition : public CTestElement {
public:
    std::int32_t m_bToken = 0;
    CTestLabel* m_pLabel = nullptr;

    const char* GetClassName() const override { return "CTestCondition"; }
    void Serialize(CArchive& ar) override;
};

class CTestLabel : public CTestElement {
public:
    std::string m_strText;
    CTestElement* m_pOwner = nullptr;

    const char* GetClassName() const override { return "CTestLabel"; }
    void Serialize(CArchive& ar) override {
        CTestElement::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteString(m_strText);
            ar.WriteObject(m_pOwner);
        } else {
            m_strText = ar.ReadString();
            m_pOwner = ar.ReadObject<CTestElement>();
        }
    }
};

inline void CTestCondition::Serialize(CArchive& ar) {
    CTestElement::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteInt32(m_bToken);
        ar.WriteObject(m_pLabel);
    } else {
        m_bToken = ar.ReadInt32();
        m_pLabel = ar.ReadObject<CTestLabel>();
    }
}

// An object whose record is one int32, for tables of many entries.
class CTestLeaf : public CObject {
public:
    std::int32_t m_nValue = 0;

    const char* GetClassName() const override { return "CTestLeaf"; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar.WriteInt32(m_nValue);
        else
            m_nValue = ar.ReadInt32();
    }
};

class CTestOtherLeaf : public CTestLeaf {
public:
    const char* GetClassName() const override { return "CTestOtherLeaf"; }
};

// A document-like root record, stored embedded: a version, a title, a list of elements
// (owned) and a point array.
struct CTestDocument {
    std::int32_t m_nVersion = 1;
    std::string m_strTitle;
    std::vector<CTestElement*> m_listElements;
    std::vector<CPoint> m_arrPoints;

    void Serialize(CArchive& ar) {
        if (ar.IsStoring()) {
            ar.WriteInt32(m_nVersion);
            ar.WriteString(m_strTitle);
            ar.WriteObjectList(m_listElements);
            ar.WritePointArray(m_arrPoints);
        } else {
            m_nVersion = ar.ReadInt32();
            m_strTitle = ar.ReadString();
            ar.ReadObjectList<CTestElement>(m_listElements);
            m_arrPoints = ar.ReadPointArray();
        }
    }
};

inline CClassRegistry MakeTestRegistry() {
    CClassRegistry registry;
    registry.Register<CTestElement>("CTestElement");
    registry.Register<CTestCondition>("CTestCondition");
    registry.Register<CTestLabel>("CTestLabel");
    registry.Register<CTestLeaf>("CTestLeaf");
    registry.Register<CTestOtherLeaf>("CTestOtherLeaf");
    return registry;
}

// Deletes what a load created: the test objects never own one another.
inline void DeleteLoaded(const CArchive& ar) {
    for (CObject* object : ar.GetLoadedObjects())
        delete object;
}

using Bytes = std::vector<std::uint8_t>;

inline Bytes MakeBytes(std::initializer_list<int> values) {
    Bytes bytes;
    for (int v : values)
        bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

inline void Append(Bytes& bytes, const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
}

inline void AppendText(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// The bytes of a new-class tag with its name.
inline Bytes NewClassTag(const std::string& name) {
    Bytes bytes = MakeBytes({0xFF, 0xFF, 0x01, 0x00, static_cast<int>(name.size()), 0x00});
    AppendText(bytes, name);
    return bytes;
}
