@echo off
rem The Lantrel @PROJECT_VERSION@ test kit: says where it runs (tests\sysinfo.exe), runs every
rem test program in tests\ one after another on this desktop, then ends with one line
rem "N passed, N failed" (counting test programs).  A test program passes when it exits with 0;
rem a check it cannot make on this machine it reports as "[ SKIP ]" with the reason, which does
rem not fail it.
setlocal EnableExtensions EnableDelayedExpansion
rem (setlocal also keeps the caller's current folder, which endlocal gives back.)
cd /d "%~dp0tests"
rem Where the kit runs: the Windows version, the display and whether the desktop composes.
sysinfo.exe
set /a passed=0, failed=0
set failedNames=
for %%i in (*_tests.exe) do (
    echo.
    echo ==== %%~ni
    "%%~fi"
    set code=!errorlevel!
    if !code! equ 0 (
        set /a passed+=1
        echo ==== %%~ni passed
    ) else (
        set /a failed+=1
        set "failedNames=!failedNames! %%~ni"
        echo ==== %%~ni FAILED ^(exit code !code!^)
    )
)
echo.
set /a programs=passed+failed
if %programs% equ 0 (
    echo No test programs found in "%~dp0tests".
    set /a failed=1
)
if defined failedNames echo Failed:%failedNames%
echo %passed% passed, %failed% failed
if %failed% gtr 0 exit /b 1
exit /b 0
