@echo off
title Halcyon Studio 4 Setup
echo.
echo   Halcyon Studio 4 - demo disc
echo.
echo   This is where the installer of a real product would start.
echo   The demo disc carries no product, so nothing is installed.
echo.
pause
