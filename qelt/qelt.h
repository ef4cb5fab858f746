// The maker's embedded-controller library: one function, cdecl, exported undecorated.
#pragma once

extern "C" __declspec(dllimport) int __cdecl QeltEvaluate(unsigned char command,
                                                          unsigned char* input, int inputCount,
                                                          unsigned char* output, int outputCount);
