@echo off
rem Mirabelton's self-test, from the folder Mirabelton-<version>-win64-selftest.zip
rem was unpacked to: the unit and end-to-end tests against the Mirabelton.exe
rem beside this file. It writes selftest-report.txt beside itself, and ends
rem with a non-zero exit code when a test failed. tools/release packs it.
setlocal
cd /d "%~dp0"
echo Mirabelton self-test
echo.
echo For about a minute the tests take the keyboard and the mouse: they type,
echo press keys and drag in windows of their own. Please touch neither until
echo the report appears. A Mirabelton that is running now is ended first.
echo.
echo Press a key to start, or Ctrl+C to stop here.
pause >nul

set "report=%~dp0selftest-report.txt"
if exist "%report%" del "%report%"
rem Each test program adds a line per test (tests/selftest_report.cpp).
set "MIRABELTON_SELFTEST_REPORT=%report%"
call :run unit_tests
call :run e2e_tests

set passed=0
set failed=0
set skipped=0
for /f "usebackq tokens=1" %%w in ("%report%") do (
  if "%%w"=="passed" set /a passed+=1
  if "%%w"=="failed" set /a failed+=1
  if "%%w"=="skipped" set /a skipped+=1
)
>>"%report%" echo %passed% passed, %failed% failed, %skipped% skipped
echo.
type "%report%"
echo.
echo The report is "%report%"
pause
if %failed% gtr 0 exit /b 1
exit /b 0

rem A test program; one that ended otherwise than by reporting its tests
rem (0 all passed, 1 some failed) counts as a failed test.
:run
"%~1.exe"
set code=%errorlevel%
if not "%code%"=="0" if not "%code%"=="1" (
  >>"%report%" echo failed  %~1.exe: it ended with exit code %code% before its last test
)
exit /b 0
