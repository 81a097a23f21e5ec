#include "engines/CCaseSet.h"

#include <bdd.h>

CCaseSet::CCaseSet(const bdd& diagram) : m_pDiagram(std::make_shared<const bdd>(diagram)) {}

bdd CCaseSet::Diagram() const {
    return m_pDiagram ? *m_pDiagram : bddfalse;
}

bool CCaseSet::IsEmpty() const {
    return Diagram() == bddfalse;
}

bool CCaseSet::operator==(const CCaseSet& other) const {
    return Diagram() == other.Diagram();
}

CCaseSet CCaseSet::operator|(const CCaseSet& other) const {
    return CCaseSet(Diagram() | other.Diagram());
}

CCaseSet CCaseSet::operator&(const CCaseSet& other) const {
    return CCaseSet(Diagram() & other.Diagram());
}

CCaseSet CCaseSet::operator-(const CCaseSet& other) const {
    return CCaseSet(Diagram() - other.Diagram());
}
