#include "win32/player/dll_module.hpp"

#include "settings/dossier_modeles.hpp"
#include "vb/error.hpp"
#include "win32/platform/filesystem.hpp"
#include "win32/platform/registry.hpp"
// After the ports: these bring <windows.h>, whose macros carry the ports' constants' names.
#include "win32/dispatch/com_dispatch.hpp"
#include "win32/dispatch/errors.hpp"
//
#include "ContratHote.h"

namespace win32 {

namespace {

/// The source of the errors the player raises itself, as the command's other errors carry it.
constexpr const char* kPlayerSource = "k60418";

/// The disk as the template folder's resolution sees it from the host: the folder is only named,
/// never created (the module creates it when it resolves it; a reading must not).
class NamingOnlyFiles : public DiskFileSystem {
 public:
  bool MakeSureDirectoryPathExists(const std::string&) override { return true; }
};

/// An owned BSTR of a UTF-8 text.
class Bstr {
 public:
  explicit Bstr(std::string_view text) : text_(ToBstr(text)) {}
  Bstr() = default;
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return text_; }
  BSTR* out() { return &text_; }
  std::string str() const { return FromBstr(text_); }

 private:
  BSTR text_ = nullptr;
};

/// The host-side list the module's Complement hands back, read through its own vtable.
class DllComplement : public host::ComplementInfo {
 public:
  explicit DllComplement(::ComplementInfo* list) : list_(list) {}  // takes the caller's reference
  ~DllComplement() override { list_->Release(); }
  DllComplement(const DllComplement&) = delete;
  DllComplement& operator=(const DllComplement&) = delete;

  void ComplementInfo_add(std::string sLigne, std::int32_t lInutilise) override {
    Bstr line(sLigne);
    Check(list_->add(line.get(), lInutilise));
  }
  std::int32_t ComplementInfo_count() override {
    LONG count = 0;
    Check(list_->count(&count));
    return count;
  }
  std::string ComplementInfo_item(std::int32_t noItem) override {
    Bstr line;
    Check(list_->item(noItem, line.out()));
    return line.str();
  }

 private:
  void Check(HRESULT hr) {
    if (FAILED(hr)) throw ErrorFromCall(hr, list_, IID_ComplementInfo);
  }
  ::ComplementInfo* list_;
};

/// The host's Application variable as the interface takes it: its IDispatch (AddRef'd), null for
/// Nothing.
IDispatch* ApplicationIn(const ppt::Application& application) {
  return ToIDispatch(application.ref());
}

/// The host's variable after the call: unchanged when the module handed the same object back,
/// otherwise the object it left there. Takes the reference `returned` holds.
void ApplicationOut(IDispatch* passed, IDispatch* returned, ppt::Application& application) {
  if (returned != passed) application = ppt::Application(FromIDispatch(returned));
  if (returned) returned->Release();
}

}  // namespace

DllModule::DllModule(std::string_view prog_id) {
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(Widen(prog_id).c_str(), &clsid);
  IUnknown* object = nullptr;
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                          reinterpret_cast<void**>(&object));
  if (FAILED(hr)) {
    vb::Raise(vb::errors::kCannotCreateObject, kPlayerSource,
              std::string(prog_id) + ": " + ErrorFromHresult(hr).description());
  }
  hr = object->QueryInterface(IID_AbstractModule, reinterpret_cast<void**>(&module_));
  object->Release();
  if (FAILED(hr) || !module_) {
    module_ = nullptr;
    vb::Raise(430, kPlayerSource, std::string(prog_id) + " does not implement AbstractModule");
  }
}

DllModule::~DllModule() {
  held_ = nullptr;
  if (module_) module_->Release();
}

void DllModule::Check(long hr) {
  if (FAILED(hr)) throw ErrorFromCall(hr, module_, IID_AbstractModule);
}

bool DllModule::BravoNuance() {
  VARIANT_BOOL value = VARIANT_FALSE;
  Check(module_->get_BravoNuance(&value));
  return value != VARIANT_FALSE;
}

std::shared_ptr<host::ComplementInfo> DllModule::Complement() {
  ::ComplementInfo* list = nullptr;
  Check(module_->get_Complement(&list));
  if (!list) return nullptr;
  return std::make_shared<DllComplement>(list);
}

std::string DllModule::CauseErreur() {
  Bstr cause;
  Check(module_->get_CauseErreur(cause.out()));
  return cause.str();
}

bool DllModule::ErreurGenerale() {
  VARIANT_BOOL value = VARIANT_FALSE;
  Check(module_->get_ErreurGenerale(&value));
  return value != VARIANT_FALSE;
}

void DllModule::Fermer() {
  Check(module_->Fermer());
}

void DllModule::InitQuestion(std::int32_t ilQuestion, const std::string& isPathDossier,
                             ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel,
                             std::optional<std::string> isPathModele) {
  Bstr folder(isPathDossier);
  // The optional argument left out is passed as its declared default, as a compiled host does.
  Bstr model(isPathModele.value_or(""));
  IDispatch* const passed = ApplicationIn(ioApplication);
  IDispatch* application = passed;
  if (passed) passed->AddRef();  // the interface's in-out reference, the module's to replace
  LONG handle = ioHandleLogiciel;
  const HRESULT hr = module_->InitQuestion(ilQuestion, folder.get(), &application, &handle, model.get());
  // The module writes the host's variables back whether it succeeds or not.
  ApplicationOut(passed, application, ioApplication);
  if (passed) passed->Release();
  ioHandleLogiciel = handle;
  held_ = ioApplication.ref();

  // The template folder: the module resolves it while it sets the exercise up and keeps it to
  // itself (AbstractModule has no member for it, and the DLL's objects answer nothing else), so the
  // host resolves it the same way, from the same registry values, after the module did. A call
  // that failed before the module could resolve it (no PowerPoint to be had: the module then
  // leaves the host's variable Nothing) leaves the folder as it was; any later failure, an
  // exercise outside the course included, comes after the resolution.
  if (SUCCEEDED(hr) || !ioApplication.IsNothing()) {
    HkcuRegistry registry;
    NamingOnlyFiles files;
    std::string resolved_folder;
    try {
      k60418::ResoudDossierModeles(registry, files, resolved_folder);
      template_folder_ = resolved_folder;
    } catch (const vb::Error&) {
      // The module's own resolution failed too: its folder stays the one before.
    }
  }
  Check(hr);
}

void DllModule::Quitter(ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel) {
  IDispatch* const passed = ApplicationIn(ioApplication);
  IDispatch* application = passed;
  if (passed) passed->AddRef();
  LONG handle = ioHandleLogiciel;
  const HRESULT hr = module_->Quitter(&application, &handle);
  ApplicationOut(passed, application, ioApplication);
  if (passed) passed->Release();
  ioHandleLogiciel = handle;
  held_ = ioApplication.ref();
  Check(hr);
}

void DllModule::TestePoint() {
  Check(module_->TestePoint());
}

vb::ObjectRef DllModule::HeldApplication() {
  return held_;
}

std::string DllModule::TemplateFolder() {
  return template_folder_;
}

}  // namespace win32
