#pragma once

#include <functional>
#include <limits>
#include <utility>
#include <vector>

struct glp_prob;

// A linear or integer program solved by GLPK, which is told to keep quiet: variables
// (columns) with bounds, an objective coefficient and whether they take integers only,
// constraints (rows) as sums of variables times coefficients between bounds.
class CLinearProgram {
public:
    static constexpr double kInfinity = std::numeric_limits<double>::infinity();

    enum class EOutcome {
        // A solution was found (optimal for a linear program, the best found for an
        // integer one); Value() reads it.
        Solved,
        // There is none: the constraints contradict each other.
        Infeasible,
        // The objective grows without bound.
        Unbounded,
        // The solver stopped first: time limit, cancel, numerical trouble.
        Unknown,
    };

    CLinearProgram();
    ~CLinearProgram();
    CLinearProgram(const CLinearProgram&) = delete;
    CLinearProgram& operator=(const CLinearProgram&) = delete;

    // Adds a variable between the bounds (either may be infinite); returns its number.
    int AddVariable(double lower, double upper, double objective = 0.0, bool integer = false);
    // Adds the constraint lower <= sum of coefficient * variable <= upper.
    void AddConstraint(const std::vector<std::pair<int, double>>& terms, double lower,
                       double upper);
    void SetMaximize(bool maximize) { m_bMaximize = maximize; }

    // Solves the linear program, integrality ignored. With exact, a solution or a
    // verdict of the floating simplex is checked again in exact rational arithmetic.
    EOutcome SolveLinear(bool exact);
    // Solves with integrality, by branch and bound: within the time (milliseconds, 0 for
    // none), asking goOn every so often whether to continue.
    EOutcome SolveInteger(int timeLimitMs, const std::function<bool()>& goOn);
    double Value(int variable) const;

private:
    void Load();

    glp_prob* m_p;
    bool m_bMaximize = false;
    bool m_bLoaded = false;
    bool m_bSolvedInteger = false;
    std::vector<int> m_arrRowIndex;
    std::vector<int> m_arrColumnIndex;
    std::vector<double> m_arrCoefficients;
};
