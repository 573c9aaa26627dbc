#pragma once

#include "base/Services.h"
#include "board/BoardLink.h"

#include <QString>

namespace qvx {

// Shows why a settings window's flow failed in the status line of the
// services the link reports to; an empty problem (a success, or a refusal that
// has already said so) shows nothing.
inline void ShowProblem(const BoardLink& link, const QString& problem) {
    if (problem.isEmpty()) return;
    if (Services* s = link.services()) s->ShowStatus(problem);
}

} // namespace qvx
