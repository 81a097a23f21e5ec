#include "structure/CLinearProgram.h"

#include <glpk.h>

#include <climits>
#include <cmath>

namespace {

int BoundKind(double lower, double upper) {
    const bool low = std::isfinite(lower), high = std::isfinite(upper);
    if (low && high)
        return lower == upper ? GLP_FX : GLP_DB;
    return low ? GLP_LO : high ? GLP_UP : GLP_FR;
}

double Finite(double value) {
    return std::isfinite(value) ? value : 0.0;
}

struct CallbackData {
    const std::function<bool()>* goOn;
};

void Callback(glp_tree* tree, void* info) {
    auto* data = static_cast<CallbackData*>(info);
    if (glp_ios_reason(tree) == GLP_ISELECT && *data->goOn && !(*data->goOn)())
        glp_ios_terminate(tree);
}

} // namespace

CLinearProgram::CLinearProgram() : m_p(glp_create_prob()) {
    glp_term_out(GLP_OFF);
    // Index 0 of GLPK's triplet arrays is unused.
    m_arrRowIndex.push_back(0);
    m_arrColumnIndex.push_back(0);
    m_arrCoefficients.push_back(0.0);
}

CLinearProgram::~CLinearProgram() {
    glp_delete_prob(m_p);
}

int CLinearProgram::AddVariable(double lower, double upper, double objective, bool integer) {
    const int j = glp_add_cols(m_p, 1);
    glp_set_col_bnds(m_p, j, BoundKind(lower, upper), Finite(lower), Finite(upper));
    glp_set_obj_coef(m_p, j, objective);
    if (integer)
        glp_set_col_kind(m_p, j, GLP_IV);
    m_bLoaded = false;
    return j - 1;
}

void CLinearProgram::AddConstraint(const std::vector<std::pair<int, double>>& terms, double lower,
                                   double upper) {
    const int i = glp_add_rows(m_p, 1);
    glp_set_row_bnds(m_p, i, BoundKind(lower, upper), Finite(lower), Finite(upper));
    for (const auto& [variable, coefficient] : terms) {
        m_arrRowIndex.push_back(i);
        m_arrColumnIndex.push_back(variable + 1);
        m_arrCoefficients.push_back(coefficient);
    }
    m_bLoaded = false;
}

void CLinearProgram::Load() {
    if (m_bLoaded)
        return;
    glp_set_obj_dir(m_p, m_bMaximize ? GLP_MAX : GLP_MIN);
    glp_load_matrix(m_p, static_cast<int>(m_arrCoefficients.size()) - 1, m_arrRowIndex.data(),
                    m_arrColumnIndex.data(), m_arrCoefficients.data());
    m_bLoaded = true;
}

CLinearProgram::EOutcome CLinearProgram::SolveLinear(bool exact) {
    Load();
    m_bSolvedInteger = false;
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    // The presolver answers an infeasible program without a basis; the exact pass needs
    // one, so it runs without.
    parm.presolve = exact ? GLP_OFF : GLP_ON;
    if (glp_get_num_cols(m_p) == 0 || glp_get_num_rows(m_p) == 0)
        parm.presolve = GLP_OFF;
    int error = glp_simplex(m_p, &parm);
    if (exact && error == 0)
        error = glp_exact(m_p, &parm);
    if (error == GLP_ENOPFS || error == GLP_ENODFS)
        return error == GLP_ENOPFS ? EOutcome::Infeasible : EOutcome::Unbounded;
    if (error != 0)
        return EOutcome::Unknown;
    switch (glp_get_status(m_p)) {
    case GLP_OPT:
        return EOutcome::Solved;
    case GLP_NOFEAS:
        return EOutcome::Infeasible;
    case GLP_UNBND:
        return EOutcome::Unbounded;
    default:
        return EOutcome::Unknown;
    }
}

CLinearProgram::EOutcome CLinearProgram::SolveInteger(int timeLimitMs,
                                                      const std::function<bool()>& goOn) {
    Load();
    m_bSolvedInteger = true;
    CallbackData data{&goOn};
    glp_iocp parm;
    glp_init_iocp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    parm.presolve = GLP_ON;
    parm.tm_lim = timeLimitMs > 0 ? timeLimitMs : INT_MAX;
    parm.cb_func = Callback;
    parm.cb_info = &data;
    const int error = glp_intopt(m_p, &parm);
    if (error == GLP_ENOPFS)
        return EOutcome::Infeasible;
    if (error == GLP_ENODFS)
        return EOutcome::Unbounded;
    if (error == 0 || error == GLP_ETMLIM || error == GLP_ESTOP) {
        switch (glp_mip_status(m_p)) {
        case GLP_OPT:
            return EOutcome::Solved;
        case GLP_FEAS:
            return EOutcome::Solved;
        case GLP_NOFEAS:
            return error == 0 ? EOutcome::Infeasible : EOutcome::Unknown;
        default:
            return EOutcome::Unknown;
        }
    }
    return EOutcome::Unknown;
}

double CLinearProgram::Value(int variable) const {
    return m_bSolvedInteger ? glp_mip_col_val(m_p, variable + 1)
                            : glp_get_col_prim(m_p, variable + 1);
}
