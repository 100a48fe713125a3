#include "player/present.hpp"

#include <fstream>
#include <ostream>
#include <sstream>

#include "player/commands.hpp"
#include "player/runner.hpp"
#include "sim/ppt/file_format.hpp"
#include "sim/ppt/objects.hpp"
#include "sim/ppt/render.hpp"

namespace player {

std::string ActivePresentationText(TrainingPlayer& player) {
  try {
    const vb::ObjectRef application = player.PowerPoint();
    const vb::Variant active = application->Invoke("ActivePresentation", vb::CallKind::Get, {});
    const auto* presentation = dynamic_cast<const sim::ppt::DocObject*>(active.ToObject().get());
    if (!presentation) return "the active presentation cannot be shown\n";
    return sim::ppt::RenderPresentation(presentation->model());
  } catch (const vb::Error& error) {
    return "no presentation to show: " +
           Show(scenario::ErrorRecord{error.number(), error.source(), error.description()}) + "\n";
  }
}

int ShowFile(const std::string& file, std::ostream& out, std::ostream& err) {
  std::string content;
  try {
    content = ReadInputFile(file);
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
