#include <windows.h>
#include <richedit.h>

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "Main/Texte.h"
#include "Main/win/RichEditBuffer.h"
#include "gui/win/Handles.h"

namespace {

// A hidden parent of the form's size, as the main form gives the buffer.
gui::UniqueWindow Parent() {
  return gui::UniqueWindow(::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 231, 493, 151, 75, nullptr,
                                             nullptr, nullptr, nullptr));
}

std::string ClipboardText() {
  std::string text;
  if (!::OpenClipboard(nullptr)) return "<cannot open>";
  if (const HANDLE data = ::GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  } else {
    text = "<no text>";
  }
  ::CloseClipboard();
  return text;
}

// Each of the marks of a private copy that the clipboard holds: its size and its first DWORD.
std::vector<std::string> Marks() {
  std::vector<std::string> marks;
  if (!::OpenClipboard(nullptr)) return {"<cannot open>"};
  for (const std::string_view name : texte::kPrivatFormate) {
    const HANDLE data = ::GetClipboardData(::RegisterClipboardFormatA(name.data()));
    if (const auto* value = data != nullptr ? static_cast<const DWORD*>(::GlobalLock(data)) : nullptr) {
      marks.push_back(std::to_string(::GlobalSize(data)) + " bytes, " + std::to_string(*value));
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return marks;
}

std::string AllCp1252Bytes() {
  std::string text;
  for (int b = 32; b < 256; ++b) text += static_cast<char>(b);
  return text;
}

bool UnderWine() {
  return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string LargeText() {
  std::string text;
  while (text.size() < 300000) text += "Eine Zeile mit \xE4\xF6\xFC und \x80 und Tabulator\t.\r\n";
  return text;
}

}  // namespace

TEST(RichEditBuffer, IsAPlainTextRichEditFillingItsParent) {
  const gui::UniqueWindow parent = Parent();
  RichEditBuffer buffer(parent.get());
  EXPECT_TRUE(buffer.PlainText());
  char className[32] = "";
  ::GetClassNameA(buffer.Handle(), className, sizeof className);
  EXPECT_EQ(::lstrcmpiA(className, "RICHEDIT"), 0);
  RECT client, edit;
  ::GetClientRect(parent.get(), &client);
  ::GetClientRect(buffer.Handle(), &edit);
  EXPECT_EQ(edit.right, client.right);
  EXPECT_EQ(edit.bottom, client.bottom);
}

TEST(RichEditBuffer, SetTextGivesBackWhatWmSetTextWouldLeave) {
  const gui::UniqueWindow parent = Parent();
  RichEditBuffer buffer(parent.get());
  RichEditBuffer reference(parent.get());
  for (const std::string& text : {std::string(""), std::string("Hallo Welt"), std::string("a\r\nb\r\n"),
                                 std::string("nur\nLF"), std::string("nur\rCR"), AllCp1252Bytes(), LargeText()}) {
    buffer.SetText("vorher\r\nzwei Zeilen");
    buffer.SetText(text);
    ::SendMessageA(reference.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_EQ(buffer.GetText(), reference.GetText());
  }
  // Text that keeps its bytes through the control comes back unchanged, large text whole.
  buffer.SetText(AllCp1252Bytes());
  EXPECT_EQ(buffer.GetText(), AllCp1252Bytes());
  buffer.SetText(LargeText());
  EXPECT_EQ(buffer.GetText(), LargeText());
}

TEST(RichEditBuffer, SetTextEndsAtTheFirstZeroByteAndClearEmpties) {
  const gui::UniqueWindow parent = Parent();
  RichEditBuffer buffer(parent.get());
  buffer.SetText(std::string("vor\0nach", 8));
  EXPECT_EQ(buffer.GetText(), "vor");
  buffer.Clear();
  EXPECT_EQ(buffer.GetText(), "");
  EXPECT_EQ(::GetWindowTextLengthA(buffer.Handle()), 0);
}

TEST(RichEditBuffer, SelectAllCoversTheWholeText) {
  const gui::UniqueWindow parent = Parent();
  RichEditBuffer buffer(parent.get());
  buffer.SetText("Zeile 1\r\nZeile 2\r\nEnde");
  CHARRANGE partial{2, 4};
  ::SendMessageA(buffer.Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&partial));
  buffer.SelectAll();
  CHARRANGE selection{-1, -1};
  ::SendMessageA(buffer.Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  EXPECT_EQ(selection.cpMin, 0);
  char selected[64] = "";
  ::SendMessageA(buffer.Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(selected));
  EXPECT_EQ(std::string(selected), buffer.GetText());
}

TEST(RichEditBuffer, CopyThenPasteGivesTheSameTextWithoutAnAddedLineBreak) {
  const gui::UniqueWindow parent = Parent();
  RichEditBuffer buffer(parent.get());
  for (const std::string& text : {std::string("Jcnnq Ygnv"), std::string("zwei\r\nZeilen\r\n"), LargeText()}) {
    buffer.SetText(text);
    buffer.SelectAll();
    buffer.Copy(CopyScope::Shared);
    buffer.Clear();
    buffer.Paste();
    EXPECT_EQ(buffer.GetText(), text);
  }
}

TEST(RichEditBuffer, TheCopyStaysOnTheClipboardAfterTheBufferIsGoneAPrivateOneWithItsMarks) {
  const gui::UniqueWindow parent = Parent();
  for (const auto& [scope, text] : {std::pair(CopyScope::Shared, std::string("Jcnnq Ygnv")),
                                    std::pair(CopyScope::Private, std::string("Hallo Welt")),
                                    std::pair(CopyScope::Private, LargeText())}) {
    {
      RichEditBuffer buffer(parent.get());
      buffer.SetText(text);
      buffer.SelectAll();
      buffer.Copy(scope);
    }
    // Nothing has asked for the copy yet: without rendering it at once it would go with the
    // control's OLE session.
    EXPECT_EQ(ClipboardText(), text);
    EXPECT_EQ(Marks(), std::vector<std::string>(scope == CopyScope::Private ? 4 : 0, "4 bytes, 0"));
  }
}

// Wine lays out every line the control takes in for Uniscribe unless it shows a password character,
// so the buffer fills behind one there; the text must stay the real one, and the mask must be gone
// before a copy, which a masked control refuses.
TEST(RichEditBuffer, FillsBehindAMaskUnderWineAndCopiesWithoutIt) {
  const gui::UniqueWindow parent = Parent();
  RichEditBuffer buffer(parent.get());
  if (UnderWine()) {
    EXPECT_TRUE(buffer.MasksWhileFilling());
  }
  const LRESULT filling = buffer.MasksWhileFilling() ? '*' : 0;
  const auto mask = [&] { return ::SendMessageA(buffer.Handle(), EM_GETPASSWORDCHAR, 0, 0); };

  buffer.SetText(LargeText());
  EXPECT_EQ(mask(), filling);
  EXPECT_EQ(buffer.GetText(), LargeText());
  buffer.SelectAll();
  buffer.Copy(CopyScope::Shared);
  EXPECT_EQ(mask(), LRESULT{0});
  EXPECT_EQ(ClipboardText(), LargeText());

  buffer.Clear();
  EXPECT_EQ(mask(), filling);
  buffer.Paste();
  EXPECT_EQ(mask(), filling);
  EXPECT_EQ(buffer.GetText(), LargeText());

  // An empty result keeps its control; the next command still fills behind the mask.
  buffer.SetText("");
  buffer.SelectAll();
  buffer.Copy(CopyScope::Shared);
  buffer.Clear();
  EXPECT_EQ(mask(), filling);
}
