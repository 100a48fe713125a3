// The COM face of the module: the class Module, one k60418::Module over the Win32 adapters behind
// _Module and the host's AbstractModule (one vtable: _Module derives from AbstractModule and adds
// nothing). Its IDispatch works from AbstractModule's type information, except for InitQuestion
// and Quitter, whose in-out arguments a script passes as its own variables (by-reference
// VARIANTs): those are read and written back here.
#pragma once

#include <memory>

#include "win32/dispatch/com_object.hpp"
#include "win32/server/interfaces.hpp"

namespace win32::server {

class ComplementObject;
class Engine;

class ModuleObject final
    : public win32::ComObject<win32::Also<::_Module, AbstractModule>, ISupportErrorInfo> {
 public:
  /// A new Module (one reference, the caller's), asked for `riid`.
  static HRESULT Create(REFIID riid, void** object);

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  // AbstractModule, in its order
  HRESULT STDMETHODCALLTYPE get_BravoNuance(VARIANT_BOOL* pbBravoNuance) override;
  HRESULT STDMETHODCALLTYPE get_Complement(::ComplementInfo** poComplement) override;
  HRESULT STDMETHODCALLTYPE get_CauseErreur(BSTR* psCauseErreur) override;
  HRESULT STDMETHODCALLTYPE get_ErreurGenerale(VARIANT_BOOL* pbErreurGenerale) override;
  HRESULT STDMETHODCALLTYPE Fermer() override;
  HRESULT STDMETHODCALLTYPE InitQuestion(LONG ilQuestion, BSTR isPathDossier, IDispatch** ioApplication,
                                         LONG* ioHandleLogiciel, BSTR isPathModele) override;
  HRESULT STDMETHODCALLTYPE Quitter(IDispatch** ioApplication, LONG* ioHandleLogiciel) override;
  HRESULT STDMETHODCALLTYPE TestePoint() override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

 private:
  ModuleObject(std::unique_ptr<Engine> engine, ITypeInfo* info);
  ~ModuleObject();

  /// The late-bound InitQuestion or Quitter: arguments read from the script's VARIANTs, the
  /// in-out ones written back into its variables.
  HRESULT InvokeInOut(DISPID member, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                      UINT* argumentError);
  /// The calls themselves; they raise vb::Error. The in-out values are updated even when the call
  /// fails, as the module left them.
  void CallInitQuestion(LONG ilQuestion, BSTR isPathDossier, IDispatch** ioApplication,
                        LONG* ioHandleLogiciel, BSTR isPathModele);
  void CallQuitter(IDispatch** ioApplication, LONG* ioHandleLogiciel);

  std::unique_ptr<Engine> engine_;
  /// AbstractModule's type information, which the IDispatch works from.
  ITypeInfo* info_;
  /// The last list handed out by Complement and its COM object, so that the same list is the same
  /// object every time it is read.
  ComplementObject* complement_ = nullptr;
};

}  // namespace win32::server
