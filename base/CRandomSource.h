#pragma once

// The pseudo-random numbers of the system: the C library generator (rand, srand).
// Where the system seeds the generator with the current time it calls SeedWithTime;
// a fixed seed (a test, the command line's --seed) replaces the time there, so that a
// seeded run is reproducible.
//
// The generator's state is the C library's own, shared by all sources; only one
// thread may draw at a time. Each owner of random work (the document) keeps one source
// and hands it to what draws from it.
class CRandomSource {
public:
    CRandomSource() = default;
    explicit CRandomSource(unsigned fixedSeed);
    virtual ~CRandomSource() = default;

    // rand(): 0 to RAND_MAX (at least 32767).
    virtual int Rand();
    // srand(seed).
    virtual void Seed(unsigned seed);
    // srand of the current time, or of the fixed seed when one is set.
    void SeedWithTime();

    void SetFixedSeed(unsigned seed);
    void ClearFixedSeed() { m_bFixed = false; }

private:
    bool m_bFixed = false;
    unsigned m_nFixedSeed = 0;
};
