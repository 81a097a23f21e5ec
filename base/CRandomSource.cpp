#include "CRandomSource.h"

#include <cstdlib>
#include <ctime>

CRandomSource::CRandomSource(unsigned fixedSeed) {
    SetFixedSeed(fixedSeed);
}

int CRandomSource::Rand() {
    return std::rand();
}

void CRandomSource::Seed(unsigned seed) {
    std::srand(seed);
}

void CRandomSource::SeedWithTime() {
    Seed(m_bFixed ? m_nFixedSeed : static_cast<unsigned>(std::time(nullptr)));
}

void CRandomSource::SetFixedSeed(unsigned seed) {
    m_bFixed = true;
    m_nFixedSeed = seed;
}
