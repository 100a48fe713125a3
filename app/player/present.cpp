#include "player/present.hpp"

#include <cstddef>
#include <ostream>
#include <string>

#include "player/commands.hpp"
#include "player/runner.hpp"
#include "sim/ppt/file_format.hpp"
#include "sim/ppt/objects.hpp"
#include "sim/ppt/render.hpp"

namespace player {

namespace {

// The active presentation, or its slide `slide` when that is not 0.
std::string PresentationText(const sim::ppt::doc::Presentation& p, int slide) {
  if (slide == 0) return sim::ppt::RenderPresentation(p);
  if (slide < 1 || static_cast<std::size_t>(slide) > p.slides.size()) {
    return "there is no slide " + std::to_string(slide) + ": the presentation has " +
           std::to_string(p.slides.size()) + (p.slides.size() == 1 ? " slide\n" : " slides\n");
  }
  return sim::ppt::RenderSlide(p, static_cast<std::size_t>(slide));
}

}  // namespace

std::string ActivePresentationText(TrainingPlayer& player, int slide) {
  try {
    const vb::ObjectRef application = player.PowerPoint();
    const vb::Variant active = application->Invoke("ActivePresentation", vb::CallKind::Get, {});
    const auto* presentation = dynamic_cast<const sim::ppt::DocObject*>(active.ToObject().get());
    if (!presentation) return "the active presentation cannot be shown\n";
    return PresentationText(presentation->model(), slide);
  } catch (const vb::Error& error) {
    return "no presentation to show: " +
           Show(scenario::ErrorRecord{error.number(), error.source(), error.description()}) + "\n";
  }
}

int ShowFile(const std::string& file, std::ostream& out, std::ostream& err) {
  std::string content;
  try {
    content = ReadInputFile(file, sim::ppt::kMaximumFileBytes);
  } catch (const std::exception& error) {
    err << "k60418 show: " << file << ": " << error.what() << '\n';
    return kExitBadInput;
  }
  try {
    out << sim::ppt::RenderPresentationFile(content);
  } catch (const sim::ppt::FileFormatError& error) {
    err << "k60418 show: " << file << ": not a presentation file: " << error.what() << '\n';
    return kExitBadInput;
  } catch (const std::exception& error) {
    err << "k60418 show: " << file << ": " << error.what() << '\n';
    return kExitBadInput;
  }
  return kExitPassed;
}

}  // namespace player
