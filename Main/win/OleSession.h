// OLE for the calling thread, from construction to destruction. The rich edit control offers its
// copies through OLE's clipboard and cannot copy without it.
#pragma once

class OleSession {
 public:
  OleSession();
  ~OleSession();
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool initialised_;
};
