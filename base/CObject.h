#pragma once

class CArchive;

// The base of every object the document file stores. A stored object is written with
// its class name the first time it is met and as a back-reference afterwards; the
// reader creates it again from that name (see CArchive and CClassRegistry).
class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;

    // The class name under which the object is stored ("CPNCondition", ...).
    virtual const char* GetClassName() const { return "CObject"; }
    // Writes or reads the object's record.
    virtual void Serialize(CArchive& ar);
};
