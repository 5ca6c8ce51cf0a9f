@echo off
rem The Lantrel @PROJECT_VERSION@ test kit: runs every test program in tests\ one after another on
rem this desktop, then ends with one line "N passed, N failed" (counting test programs).  A test
rem program passes when it exits with 0; a check it cannot make on this machine it reports as
rem "[ SKIP ]" with the reason, which does not fail it.
setlocal EnableExtensions EnableDelayedExpansion
rem (setlocal also keeps the caller's current folder, which endlocal gives back.)
cd /d "%~dp0tests"
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
