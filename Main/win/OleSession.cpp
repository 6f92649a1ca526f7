#include "Main/win/OleSession.h"

#include <ole2.h>

// S_FALSE (already initialised on this thread) counts too: each success needs its own uninitialise.
OleSession::OleSession() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}

OleSession::~OleSession() {
  if (initialised_) ::OleUninitialize();
}
