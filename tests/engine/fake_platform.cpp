#include "tests/engine/fake_platform.h"

#include <algorithm>
#include <iterator>

#include "engine/text/utf8.h"

namespace zorvitan::testing {

namespace {

char FoldChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  switch (u) {  // the Polish capitals of code page 1250
    case 0xA5:
      return '\xB9';
    case 0xC6:
      return '\xE6';
    case 0xCA:
      return '\xEA';
    case 0xA3:
      return '\xB3';
    case 0xD1:
      return '\xF1';
    case 0xD3:
      return '\xF3';
    case 0x8C:
      return '\x9C';
    case 0x8F:
      return '\x9F';
    case 0xAF:
      return '\xBF';
    default:
      return c;
  }
}

std::string Fold(const std::string& text) {
  std::string out = text;
  std::transform(out.begin(), out.end(), out.begin(), FoldChar);
  return out;
}

// The folder part of an absolute path; a drive root keeps its backslash, since
// "C:" alone would mean the drive's current folder.
std::string ParentPath(const std::string& absolute) {
  const std::size_t cut = absolute.rfind('\\');
  return absolute.substr(0, cut == 2 ? 3 : cut);
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  return parts;
}

class FakePageReader : public PageReader {
 public:
  FakePageReader(std::string bytes, bool fail) : bytes_(std::move(bytes)), fail_(fail) {}
  long Read(char* buffer, std::size_t size) override {
    if (fail_) return -1;
    // Short reads on purpose, so line ends and tags fall across reads.
    const std::size_t n = std::min({size, bytes_.size() - pos_, std::size_t{4096}});
    std::copy(bytes_.data() + pos_, bytes_.data() + pos_ + n, buffer);
    pos_ += n;
    return static_cast<long>(n);
  }

 private:
  std::string bytes_;
  bool fail_;
  std::size_t pos_ = 0;
};

}  // namespace

class FakeFileReplacement : public FileReplacement {
 public:
  FakeFileReplacement(FakePlatform& fs, std::string temp, std::string target)
      : fs_(fs), temp_(std::move(temp)), target_(std::move(target)) {}
  ~FakeFileReplacement() override {
    if (!committed_) fs_.Unlink(temp_);
  }
  bool Write(const char* data, std::size_t size) override {
    FakePlatform::Node* node = fs_.Find(temp_);
    if (node == nullptr || finished_) return false;
    if (fs_.fail_map_write_after >= 0 &&
        node->bytes.size() + size > static_cast<std::size_t>(fs_.fail_map_write_after)) {
      return false;  // the disk is full
    }
    node->bytes.append(data, size);
    return true;
  }
  bool Finish() override {
    finished_ = true;
    return fs_.Find(temp_) != nullptr;
  }
  bool Commit() override {
    if (fs_.fail_commit || (!finished_ && !Finish())) return false;
    FakePlatform::Node* existing = fs_.Find(target_);
    if (existing != nullptr && (existing->is_folder || existing->read_only)) return false;
    const std::string bytes = fs_.Find(temp_)->bytes;
    fs_.Unlink(temp_);
    fs_.Create(target_, false).bytes = bytes;
    committed_ = true;
    return true;
  }

 private:
  FakePlatform& fs_;
  std::string temp_;
  std::string target_;
  bool finished_ = false;
  bool committed_ = false;
};

FakePlatform::FakePlatform() {
  for (const char* drive : {"c:", "d:"}) {
    Node& root = nodes_[drive];
    root.name = drive;
    root.is_folder = true;
  }
  current_folder_by_drive["c:"] = "C:\\";
  current_folder_by_drive["d:"] = "D:\\";
}

std::string FakePlatform::CurrentFolder() const {
  return current_folder_by_drive.at(Fold(current_drive));
}

std::string FakePlatform::Absolute(const std::string& path) const {
  std::string full;
  if (path.size() >= 2 && path[1] == ':') {
    const std::string drive = Fold(path.substr(0, 2));
    const std::string rest = path.substr(2);
    if (!rest.empty() && rest[0] == '\\') {
      full = path;
    } else {
      auto it = current_folder_by_drive.find(drive);
      if (it == current_folder_by_drive.end()) return "";
      full = it->second + "\\" + rest;
    }
  } else if (!path.empty() && path[0] == '\\') {
    if (path.size() > 1 && path[1] == '\\') return "";  // a network path: no such drive here
    full = current_drive + path;
  } else {
    full = CurrentFolder() + "\\" + path;
  }
  // Normalize: drop empty and "." parts, resolve "..".
  std::vector<std::string> parts = SplitPath(full);
  std::vector<std::string> kept{parts[0]};
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i].empty() || parts[i] == ".") continue;
    if (parts[i] == "..") {
      if (kept.size() > 1) kept.pop_back();
      continue;
    }
    kept.push_back(parts[i]);
  }
  std::string out = kept[0];
  for (std::size_t i = 1; i < kept.size(); ++i) out += "\\" + kept[i];
  return out;
}

std::string FakePlatform::Resolve(const std::string& path) const {
  const std::string absolute = Absolute(path);
  if (absolute.empty()) return "";
  std::vector<std::string> parts = SplitPath(absolute);
  std::string key = Fold(parts[0]);
  if (nodes_.count(key) == 0) return "";
  for (std::size_t i = 1; i < parts.size(); ++i) {
    auto it = nodes_.find(key + "\\" + Fold(parts[i]));
    if (it == nodes_.end()) return "";
    key = it->second.link_target.empty() ? it->first : it->second.link_target;
    if (i + 1 < parts.size() && !nodes_.at(key).is_folder) return "";
  }
  return key;
}

FakePlatform::Node* FakePlatform::Find(const std::string& path) {
  const std::string key = Resolve(path);
  auto it = key.empty() ? nodes_.end() : nodes_.find(key);
  return it == nodes_.end() ? nullptr : &it->second;
}

const FakePlatform::Node* FakePlatform::Find(const std::string& path) const {
  const std::string key = Resolve(path);
  auto it = key.empty() ? nodes_.end() : nodes_.find(key);
  return it == nodes_.end() ? nullptr : &it->second;
}

FakePlatform::Node& FakePlatform::Create(const std::string& path, bool is_folder) {
  const std::string absolute = Absolute(path);
  const std::string parent_path = ParentPath(absolute);
  const std::string name = absolute.substr(absolute.rfind('\\') + 1);
  if (Find(parent_path) == nullptr) Create(parent_path, true);
  const std::string parent_key = Resolve(parent_path);
  const std::string key = parent_key + "\\" + Fold(name);
  auto [it, added] = nodes_.try_emplace(key);
  if (added) {
    it->second.name = name;
    it->second.is_folder = is_folder;
    nodes_[parent_key].children.push_back(Fold(name));
  }
  return it->second;
}

void FakePlatform::Unlink(const std::string& real_path) {
  const std::string key = Resolve(real_path);
  if (key.empty()) return;
  const std::size_t cut = key.rfind('\\');
  auto& siblings = nodes_[key.substr(0, cut)].children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), key.substr(cut + 1)),
                 siblings.end());
  nodes_.erase(key);
}

void FakePlatform::AddFolder(const std::string& path, bool hidden) {
  Create(path, true).hidden = hidden;
}

void FakePlatform::AddFile(const std::string& path, const std::string& bytes, bool hidden,
                           bool system) {
  Node& node = Create(path, false);
  node.bytes = bytes;
  node.hidden = hidden;
  node.system = system;
}

void FakePlatform::AddLink(const std::string& path, const std::string& target) {
  Node& node = Create(path, true);
  node.link_target = Resolve(target);
}

void FakePlatform::SetReadOnly(const std::string& path) { Find(path)->read_only = true; }

void FakePlatform::SetModifiedTime(const std::string& path, std::int64_t seconds) {
  Find(path)->modified = seconds;
}

void FakePlatform::Remove(const std::string& path) { Unlink(path); }

bool FakePlatform::Exists(const std::string& path) const { return Find(path) != nullptr; }

std::string FakePlatform::Contents(const std::string& path) const {
  const Node* node = Find(path);
  return node == nullptr ? "<missing>" : node->bytes;
}

std::vector<std::string> FakePlatform::AllPaths() const {
  std::vector<std::string> paths;
  for (const auto& [key, node] : nodes_) paths.push_back(key);
  return paths;
}

std::string FakePlatform::FoldCase(const std::string& path) const { return Fold(path); }

bool FakePlatform::ListFolder(const std::string& folder, std::vector<DirEntry>* entries) {
  entries->clear();
  const std::string key = Resolve(folder);
  if (key.empty() || !nodes_.at(key).is_folder) return false;
  for (const std::string& bad : unlistable_folders) {
    if (Resolve(bad) == key) return false;
  }
  const Node& dir = nodes_.at(key);
  if (dir.name.size() != 2) {  // a drive root has no "." and ".." entries
    entries->push_back(DirEntry{".", true, false, false, false});
    entries->push_back(DirEntry{"..", true, false, false, false});
  }
  for (const std::string& child : dir.children) {
    const Node& node = nodes_.at(key + "\\" + child);
    DirEntry entry;
    entry.name = node.name;
    entry.is_folder = node.is_folder;
    entry.is_file = !node.is_folder;
    entry.hidden = node.hidden;
    entry.system = node.system;
    entries->push_back(entry);
  }
  return true;
}

bool FakePlatform::FolderIdentity(const std::string& folder, std::string* identity) {
  const std::string key = Resolve(folder);
  if (key.empty() || !nodes_.at(key).is_folder) return false;
  *identity = key;
  return true;
}

bool FakePlatform::SetCurrentFolder(const std::string& folder) {
  if (folder.size() < 2 || folder[1] != ':') return false;  // no drive letter
  const std::string drive = Fold(folder.substr(0, 2));
  if (nodes_.count(drive) == 0) return false;
  current_drive = folder.substr(0, 2);
  const Node* node = Find(folder);
  if (node == nullptr || !node->is_folder) return false;
  current_folder_by_drive[drive] = Absolute(folder);
  return true;
}

std::unique_ptr<PageReader> FakePlatform::OpenPage(const std::string& path) {
  std::lock_guard<std::mutex> lock(open_page_mutex_);
  opened_pages.push_back(path);
  if (unopenable_pages.count(path) != 0) return nullptr;
  const Node* node = Find(path);
  if (node == nullptr || node->is_folder) return nullptr;
  return std::make_unique<FakePageReader>(node->bytes, unreadable_pages.count(path) != 0);
}

bool FakePlatform::ProbeReplaceable(const std::string& path) {
  const std::string absolute = Absolute(path);
  if (absolute.empty()) return false;
  if (const Node* node = Find(absolute)) return !node->is_folder && !node->read_only;
  const Node* parent = Find(ParentPath(absolute));
  if (parent == nullptr || !parent->is_folder) return false;
  Create(absolute, false);
  return true;
}

std::unique_ptr<FileReplacement> FakePlatform::BeginReplacing(const std::string& path) {
  if (fail_begin_replacing) return nullptr;
  const std::string absolute = Absolute(path);
  if (absolute.empty()) return nullptr;
  const Node* parent = Find(ParentPath(absolute));
  if (parent == nullptr || !parent->is_folder) return nullptr;
  const std::string temp = absolute + ".~zv" + std::to_string(++temp_counter_);
  Create(temp, false).hidden = true;
  return std::make_unique<FakeFileReplacement>(*this, temp, absolute);
}

bool FakePlatform::ModifiedTime(const std::string& path, std::int64_t* seconds) {
  std::lock_guard<std::mutex> lock(open_page_mutex_);
  const Node* node = Find(path);
  if (node == nullptr || unopenable_pages.count(path) != 0) return false;
  *seconds = node->modified;
  return true;
}

int FakePlatform::RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const OutputSink& output) {
  std::vector<std::string> run = arguments;
  run.insert(run.begin(), program);
  {
    std::lock_guard<std::mutex> lock(programs_mutex_);
    programs_run.push_back(run);
  }
  for (const std::string& argument : arguments) {
    const auto answer = programs.find(argument);
    if (answer == programs.end()) continue;
    const std::string& text = answer->second.output;
    for (std::size_t at = 0; at < text.size(); at += 3) {
      output(text.data() + at, std::min<std::size_t>(3, text.size() - at));
    }
    return answer->second.exit_code;
  }
  return -1;
}

bool FakePlatform::RemoveFile(const std::string& path) {
  const Node* node = Find(path);
  if (node == nullptr || node->is_folder || node->read_only) return false;
  Unlink(path);
  return true;
}

std::string FakePlatform::ProgramText(const std::string& utf8) const { return Cp1250(utf8); }

std::string FakePlatform::Utf8FromCodePage(const std::string& text) const {
  return Utf8FromCp1250(text);
}

namespace {
// Inside a function: tests call Cp1250 from their own static initializers.
const std::map<std::string, char>& Letters() {
  static const std::map<std::string, char> kLetters = {
      {"ą", '\xB9'}, {"ć", '\xE6'}, {"ę", '\xEA'}, {"ł", '\xB3'}, {"ń", '\xF1'}, {"ó", '\xF3'},
      {"ś", '\x9C'}, {"ź", '\x9F'}, {"ż", '\xBF'}, {"Ą", '\xA5'}, {"Ć", '\xC6'}, {"Ę", '\xCA'},
      {"Ł", '\xA3'}, {"Ń", '\xD1'}, {"Ó", '\xD3'}, {"Ś", '\x8C'}, {"Ź", '\x8F'}, {"Ż", '\xAF'}};
  return kLetters;
}

// The Polish letters in ISO-8859-2, in the order of Letters().
const char kLatin2Letters[] =
    "\xB1\xE6\xEA\xB3\xF1\xF3\xB6\xBC\xBF\xA1\xC6\xCA\xA3\xD1\xD3\xA6\xAC\xAF";
const char* const kLetterOrder[] = {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż",
                                    "Ą", "Ć", "Ę", "Ł", "Ń", "Ó", "Ś", "Ź", "Ż"};

}  // namespace

bool FakePlatform::DecodeText(std::string_view encoding, std::string_view bytes,
                              std::string* utf8) const {
  if (unconvertible_encodings.count(std::string(encoding)) != 0) return false;
  if (encoding != "windows-1250" && encoding != "ISO-8859-2") return false;
  utf8->clear();
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) < 0x80) {
      *utf8 += c;
      continue;
    }
    std::string letter = "\xEF\xBF\xBD";  // what the fake does not know
    for (int i = 0; i < 18; ++i) {
      if ((encoding == "ISO-8859-2" ? kLatin2Letters[i] : Letters().at(kLetterOrder[i])) == c) {
        letter = kLetterOrder[i];
      }
    }
    *utf8 += letter;
  }
  return true;
}

bool FakePlatform::EncodeForMap(std::string_view utf8, std::string* encoded) const {
  if (fail_encode) return false;
  encoded->clear();
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    const char32_t code = NextCodePoint(utf8, &at);
    const auto letter = Letters().find(std::string(utf8.substr(start, at - start)));
    if (code < 0x80) {
      *encoded += static_cast<char>(code);
    } else if (letter != Letters().end()) {
      *encoded += letter->second;
    } else if (code == 0x20AC) {  // the euro sign, in code page 1250 too
      *encoded += '\x80';
    } else {
      AppendCharacterReference(code, encoded);
    }
  }
  return true;
}

std::string Latin2(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      out += utf8[i++];
      continue;
    }
    const auto* it = std::find(std::begin(kLetterOrder), std::end(kLetterOrder), utf8.substr(i, 2));
    out += it == std::end(kLetterOrder) ? '?' : kLatin2Letters[it - std::begin(kLetterOrder)];
    i += 2;
  }
  return out;
}

std::string Utf8FromCp1250(const std::string& cp1250) {
  std::string out;
  for (const char c : cp1250) {
    const auto& letters = Letters();
    auto it = std::find_if(letters.begin(), letters.end(),
                           [c](const auto& letter) { return letter.second == c; });
    out += it == letters.end() ? std::string(1, c) : it->first;
  }
  return out;
}

std::string Cp1250(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      out += utf8[i++];
      continue;
    }
    auto it = Letters().find(utf8.substr(i, 2));
    out += it == Letters().end() ? '?' : it->second;
    i += 2;
  }
  return out;
}

}  // namespace zorvitan::testing
