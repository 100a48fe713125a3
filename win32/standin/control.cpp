// The stand-in's COM plumbing: the control object the tests drive it with, the message filter
// that refuses calls while a dialog is open, and the class object of the Application.
#include <string>

#include "vb/error.hpp"
#include "vb/strings.hpp"
#include "win32/dispatch/com_object.hpp"
#include "win32/dispatch/served_dispatch.hpp"
#include "win32/standin/standin.hpp"

namespace standin {
namespace {

// The count of a lower-cased name in a table, 0 when absent.
double CountOf(const std::map<std::string, std::uint64_t>& counts, const std::string& member) {
  const auto found = counts.find(vb::LCase(member));
  return found == counts.end() ? 0.0 : static_cast<double>(found->second);
}

double TotalOf(const std::map<std::string, std::uint64_t>& counts) {
  double total = 0;
  for (const auto& [name, count] : counts) total += static_cast<double>(count);
  return total;
}

// "name=count" pairs, space-separated, in name order.
std::string ListOf(const std::map<std::string, std::uint64_t>& counts) {
  std::string list;
  for (const auto& [name, count] : counts) {
    if (!list.empty()) list += ' ';
    list += name + '=' + std::to_string(count);
  }
  return list;
}

class Control : public vb::Dispatch {
 public:
  explicit Control(Process& process) : process_(process) {}

  std::string TypeName() const override { return "StandinControl"; }

  vb::Variant Invoke(std::string_view member, vb::CallKind, const vb::Arguments& arguments) override {
    const std::string name = vb::LCase(std::string(member));
    const auto argument = [&](std::size_t i) -> const vb::Variant& {
      if (i >= arguments.size()) vb::Raise(vb::errors::kWrongArgumentCount);
      return arguments[i].value;
    };
    if (name == "powerpoint") return vb::Variant(process_.application());
    if (name == "processid") return vb::Variant(static_cast<std::int32_t>(GetCurrentProcessId()));
    if (name == "windowhandle")
      return vb::Variant(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(process_.main_window())));
    // OpenDialog [title [, owner title]]: True when the dialog opened.
    if (name == "opendialog")
      return vb::Variant(process_.OpenDialog(
          arguments.empty() ? std::string("Microsoft PowerPoint") : argument(0).ToString(),
          arguments.size() > 1 ? argument(1).ToString() : std::string()));
    if (name == "showballoon")
      return vb::Variant(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(process_.ShowBalloon())));
    if (name == "closedialog") return vb::Variant(process_.CloseDialog());
    // True once the process has quit: its objects are revoked and it ends in a moment.
    if (name == "ended") return vb::Variant(process_.ended());
    if (name == "dialogopen") return vb::Variant(process_.dialog_open());
    if (name == "hidewindow") {
      process_.HideMainWindow();
      return {};
    }
    if (name == "destroywindow") {
      process_.DestroyMainWindow();
      return {};
    }
    if (name == "failcalls") {
      process_.gate().FailCalls(argument(0).ToString(), argument(1).ToLong());
      return {};
    }
    // Object-model calls (Invoke reaching PowerPoint's objects) and name look-ups, per member
    // name or in all, since the last reset.
    if (name == "calls")
      return vb::Variant(static_cast<double>(process_.gate().calls(argument(0).ToString())));
    if (name == "totalcalls") return vb::Variant(static_cast<double>(process_.gate().total_calls()));
    if (name == "namelookups") return vb::Variant(CountOf(process_.name_lookups(), argument(0).ToString()));
    if (name == "totalnamelookups") return vb::Variant(TotalOf(process_.name_lookups()));
    if (name == "namelookuplist" || name == "calllist")
      return vb::Variant(
          ListOf(name == "calllist" ? process_.gate().calls_by_member() : process_.name_lookups()));
    if (name == "resetcounts") {
      process_.ResetCounts();
      return {};
    }
    if (name == "endprocess") {
      process_.EndAbruptly();
      return {};
    }
    vb::Raise(vb::errors::kNoSuchMember);
  }

 private:
  Process& process_;
};

// Whether this process runs under Wine (its ntdll says so).
bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// While the dialog is open, every call but the control object's is asked to come back later, as
// PowerPoint does: a caller without a message filter of its own sees RPC_E_CALL_REJECTED. Wine
// lets a call answered "retry later" through (its callers cannot retry), so there the call is
// rejected outright, which such a caller sees the same way.
class MessageFilter final : public win32::ComObject<IMessageFilter> {
 public:
  explicit MessageFilter(Process& process)
      : process_(process), refusal_(UnderWine() ? SERVERCALL_REJECTED : SERVERCALL_RETRYLATER) {}

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO info) override {
    if (!process_.dialog_open()) return SERVERCALL_ISHANDLED;
    if (info && info->pUnk && IsControl(info->pUnk)) return SERVERCALL_ISHANDLED;
    return refusal_;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override { return static_cast<DWORD>(-1); }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }

 private:
  ~MessageFilter() = default;

  // Whether a called object is the control object, by COM identity.
  bool IsControl(IUnknown* called) const {
    IUnknown* control = process_.control_identity();
    if (!control) return false;
    IUnknown* a = nullptr;
    IUnknown* b = nullptr;
    bool same = false;
    if (SUCCEEDED(called->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a))) &&
        SUCCEEDED(control->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b))))
      same = a == b;
    if (a) a->Release();
    if (b) b->Release();
    return same;
  }

  Process& process_;
  const DWORD refusal_;
};

// The control object as clients hold it: the served control's IDispatch without its
// IExternalConnection, so that a driver holding the control is not counted among the clients
// whose going ends a process started by COM.
class ControlFront final : public win32::ComObject<IDispatch> {
 public:
  explicit ControlFront(IDispatch* inner) : inner_(inner) { inner_->AddRef(); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return inner_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return inner_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return inner_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
    return inner_->Invoke(id, iid, locale, flags, params, result, exception, argument);
  }

 private:
  ~ControlFront() { inner_->Release(); }
  IDispatch* inner_;
};

// Hands out the process's one Application (the class is registered for single use: each
// CreateObject starts a process of its own, as on the simulated desktop).
class ClassFactory final : public win32::ComObject<IClassFactory> {
 public:
  explicit ClassFactory(Process& process) : process_(process) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IDispatch* application = win32::ServeDispatch(process_.application());
    if (!application) return E_UNEXPECTED;
    process_.OnServed();
    const HRESULT hr = application->QueryInterface(iid, out);
    application->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ~ClassFactory() = default;
  Process& process_;
};

}  // namespace

vb::ObjectRef MakeControl(Process& process) {
  return std::make_shared<Control>(process);
}

IDispatch* MakeControlFront(IDispatch* control) {
  return new ControlFront(control);
}

IMessageFilter* MakeMessageFilter(Process& process) {
  return new MessageFilter(process);
}

IClassFactory* MakeClassFactory(Process& process) {
  return new ClassFactory(process);
}

}  // namespace standin
