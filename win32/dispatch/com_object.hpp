// IUnknown written once for the COM objects of our own: a class derives from ComObject over the
// interfaces it serves and writes only their methods.
#pragma once

// clang-format off
#include <windows.h>
#include <oaidl.h>
// clang-format on

#include <type_traits>

namespace win32 {

/// An interface served together with more interface IDs answered by the same pointer: its own
/// bases (`Also<_Module, AbstractModule>`), or interfaces that declare nothing beyond its start.
template <class Interface, class... More>
struct Also {};

namespace detail {

template <class Entry>
struct Face {
  using Interface = Entry;
  static bool Answers(REFIID iid) {
    return IsEqualIID(iid, __uuidof(Entry)) ||
           (std::is_base_of_v<IDispatch, Entry> && IsEqualIID(iid, IID_IDispatch));
  }
};

template <class Entry, class... More>
struct Face<Also<Entry, More...>> {
  using Interface = Entry;
  static bool Answers(REFIID iid) {
    return Face<Entry>::Answers(iid) || (IsEqualIID(iid, __uuidof(More)) || ...);
  }
};

template <class First, class...>
struct FirstOf {
  using Interface = typename Face<First>::Interface;
};

}  // namespace detail

/// QueryInterface answers IUnknown with the first interface listed and each listed interface
/// (IDispatch with the first that derives from it) with itself, AddRef'd; E_POINTER for a null
/// out, E_NOINTERFACE (out cleared) otherwise. The count starts at 1, the creator's reference,
/// and is kept with interlocked operations; the last Release destroys the object.
template <class... Entries>
class ComObject : public detail::Face<Entries>::Interface... {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown))
      *out = static_cast<typename detail::FirstOf<Entries...>::Interface*>(this);
    else
      (Answer<Entries>(iid, out) || ...);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = Unreference();
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  /// The references held now.
  ULONG references() const { return static_cast<ULONG>(references_); }
  /// Takes one reference away and gives the count left, destroying nothing: for a class whose own
  /// Release must do more around its last reference.
  ULONG Unreference() { return static_cast<ULONG>(InterlockedDecrement(&references_)); }

 private:
  template <class Entry>
  bool Answer(REFIID iid, void** out) {
    if (!detail::Face<Entry>::Answers(iid)) return false;
    *out = static_cast<typename detail::Face<Entry>::Interface*>(this);
    return true;
  }

  LONG references_ = 1;
};

}  // namespace win32
