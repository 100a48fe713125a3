' A late-bound host of K60418.dll, as a script drives it: by its ProgID and member names, every
' argument a by-reference VARIANT, errors read through Err. No PowerPoint is registered: the module
' answers as it does when it cannot get one. Exit code: the number of failed checks.
Option Explicit

Dim failures
failures = 0

Sub Check(condition, what)
  If condition Then
    WScript.Echo "ok   " & what
  Else
    WScript.Echo "FAIL " & what
    failures = failures + 1
  End If
End Sub

Function Shown(text)
  Shown = Replace(Replace(text, vbLf, "<LF>"), vbCr, "<CR>")
End Function

Sub CheckError(what, number, source, description)
  Check Err.Number = number, what & ": Err.Number " & Err.Number & ", expected " & number
  Check Err.Source = source, what & ": Err.Source """ & Shown(Err.Source) & """, expected """ & Shown(source) & """"
  Check Err.Description = description, what & ": Err.Description """ & Err.Description & """"
  Err.Clear
End Sub

Dim m, app, h, cause, dictionary
Set m = CreateObject("K60418.Module")
Check TypeName(m) <> "", "CreateObject(""K60418.Module"")"

Check m.ErreurGenerale = False, "a fresh Module has ErreurGenerale False"

On Error Resume Next

' No exercise open: the verdict is asked of a missing object.
cause = m.CauseErreur
CheckError "CauseErreur with no exercise open", 91, "K60418", "Object variable or With block variable not set"
cause = m.BravoNuance
CheckError "BravoNuance with no exercise open", 91, "K60418", "Object variable or With block variable not set"
Set cause = m.Complement
CheckError "Complement with no exercise open", 91, "K60418", "Object variable or With block variable not set"

' No PowerPoint to attach to or start: the automation runtime's error, unreported.
Set app = Nothing
h = -1
m.InitQuestion 201, "C:\K60418\", app, h
CheckError "InitQuestion with no PowerPoint", 429, "K60418", "ActiveX component can't create object"
Check app Is Nothing, "InitQuestion leaves the application variable Nothing"
Check h = -1, "InitQuestion leaves the handle variable at -1"

' An object that is not PowerPoint: the module drops it, cannot start one, and reports the error
' from GetApplication, its source composed with the LF-then-CR break.
Set dictionary = CreateObject("Scripting.Dictionary")
Set app = dictionary
m.InitQuestion 201, "C:\K60418\", app, h
CheckError "InitQuestion with an object that is not PowerPoint", 429, _
  "DLL K63905 - CLASSE Module" & vbLf & vbCr & " - SERVICE GetApplication - OBJET K60418", _
  "ActiveX component can't create object"
Check app Is Nothing, "the module wrote Nothing back into the script's application variable"

' A check with no PowerPoint window: a general error, code AK.
m.TestePoint
Check Err.Number = 0, "TestePoint returns normally (" & Err.Number & ")"
Err.Clear
Check m.ErreurGenerale = True, "after TestePoint, ErreurGenerale is True"
Check m.CauseErreur = "AK", "after TestePoint, CauseErreur is ""AK"""

' Quitter with nothing held changes nothing; then the object goes.
h = 0
m.Quitter app, h
Check Err.Number = 0, "Quitter returns normally (" & Err.Number & " " & Err.Description & ")"
Err.Clear
Check h = 0 And app Is Nothing, "Quitter leaves the variables as they were"
Set m = Nothing
Check Err.Number = 0, "the module is released"

WScript.Echo failures & " failed"
WScript.Quit failures
