// Error reporting: a trapping procedure marks an error with where it happened before it leaves.
// The host receives the error's number and description unchanged and a source text naming the
// class and the procedure; reports made on the error's way nest, the innermost last.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "vb/error.hpp"

namespace k60418 {

/// The location text of a report: "DLL K63905 - CLASSE " & class & LF & CR & " - SERVICE " &
/// procedure & " - OBJET " & the source the error carried. The line break is LF then CR.
std::string ComposeSourceErreur(std::string_view isClasse, std::string_view isService,
                                std::string_view isSource);

/// Raises iErreur again with the same number and description and, as its source, the location
/// text of the class isClasse and the procedure isService around iErreur's own source.
[[noreturn]] void RapporteErreur(const vb::Error& iErreur, std::string_view isClasse,
                                 std::string_view isService);

/// The reporting trap of a procedure: runs its body; an error leaving the body is reported with
/// the class and procedure names and raised again to the caller.
template <class Body>
decltype(auto) AvecRapport(std::string_view isClasse, std::string_view isService, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (const vb::Error& erreur) {
    RapporteErreur(erreur, isClasse, isService);
  }
}

/// Runs one step whose failure does not matter (VB's On Error Resume Next for that step):
/// returns the number of the error it raised, 0 when it ran through.
template <class Step>
std::int32_t IgnoreErreur(Step&& step) {
  try {
    std::forward<Step>(step)();
    return 0;
  } catch (const vb::Error& erreur) {
    return erreur.number();
  }
}

}  // namespace k60418
