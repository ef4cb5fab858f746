// Puts the development battery driver into service on this machine (a Wine prefix): one root
// device node per battery, served by the driver's service, which it then starts. Repeating it
// changes nothing. The driver file and its kernel-driver service must exist already
// (install_in_prefix.sh): Wine runs a driver whose service a 32-bit program created as a
// 32-bit driver, so the service is created by a program of the prefix's own bitness.
#pragma once

#include <string>

bool InstallBatteryDriver(int batteries, std::u16string& failure);
