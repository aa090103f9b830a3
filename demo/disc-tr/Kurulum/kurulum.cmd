@echo off
rem The texts below are UTF-8: switch the console to it first.
chcp 65001 >nul
title Halcyon Studio 4 Kurulum
echo.
echo   Halcyon Studio 4 - Türkçe tanıtım diski
echo.
echo   Gerçek bir ürünün kurulum programı burada başlardı.
echo   Tanıtım diskinde ürün yok; hiçbir şey kurulmaz.
echo.
pause
