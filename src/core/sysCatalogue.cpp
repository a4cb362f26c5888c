#include "core/sysCatalogue.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/sysCodePage.h"

// ---------------------------------------------------------------------------
// The plural rule

struct TsysPluralRule::TNode {
  enum TKind { Number, N, Not, Binary, Choice } Kind = Number;
  std::uint64_t Value = 0;
  std::string Op;
  std::shared_ptr<const TNode> A, B, C;
};

namespace {

using TNodeP = std::shared_ptr<const TsysPluralRule::TNode>;
using TNode = TsysPluralRule::TNode;

// A recursive-descent reader of C's expressions over n, with their usual
// precedence. Depth is bounded: a catalogue is outside bytes.
class TPluralParser {
 public:
  explicit TPluralParser(std::string_view text) : Text(text) {}
  TNodeP Parse() {
    TNodeP e = ChoiceExpr();
    Skip();
    return Failed || At != Text.size() ? nullptr : e;
  }

 private:
  static constexpr int MaxDepth = 64;
  void Skip() {
    while (At < Text.size() && std::isspace(static_cast<unsigned char>(Text[At]))) ++At;
  }
  bool Take(std::string_view op) {
    Skip();
    if (Text.substr(At, op.size()) != op) return false;
    At += op.size();
    return true;
  }
  TNodeP Make(TNode node) { return std::make_shared<const TNode>(std::move(node)); }
  TNodeP Bin(const std::string& op, TNodeP a, TNodeP b) {
    if (!a || !b) return Fail();
    TNode n;
    n.Kind = TNode::Binary;
    n.Op = op;
    n.A = std::move(a);
    n.B = std::move(b);
    return Make(std::move(n));
  }
  TNodeP Fail() {
    Failed = true;
    return nullptr;
  }
  struct TDeeper {
    explicit TDeeper(int& d) : Depth(d) { ++Depth; }
    ~TDeeper() { --Depth; }
    int& Depth;
  };

  TNodeP ChoiceExpr() {
    TDeeper deeper(Depth);
    if (Depth > MaxDepth) return Fail();
    TNodeP cond = Level(0);
    if (!Take("?")) return cond;
    TNodeP a = ChoiceExpr();
    if (!Take(":")) return Fail();
    TNodeP b = ChoiceExpr();
    if (!cond || !a || !b) return Fail();
    TNode n;
    n.Kind = TNode::Choice;
    n.A = cond;
    n.B = a;
    n.C = b;
    return Make(std::move(n));
  }
  // Binary operators from the loosest to the tightest ("<=" tried before "<").
  TNodeP Level(std::size_t level) {
    static const std::vector<std::vector<std::string>> Ops = {
        {"||"}, {"&&"}, {"==", "!="}, {"<=", ">=", "<", ">"}, {"+", "-"}, {"*", "/", "%"}};
    if (level == Ops.size()) return Unary();
    TNodeP left = Level(level + 1);
    for (;;) {
      bool any = false;
      for (const std::string& op : Ops[level]) {
        if (Failed || !Take(op)) continue;
        left = Bin(op, left, Level(level + 1));
        any = true;
        break;
      }
      if (!any || Failed) return left;
    }
  }
  TNodeP Unary() {
    TDeeper deeper(Depth);
    if (Depth > MaxDepth) return Fail();
    if (Take("!")) {
      TNodeP a = Unary();
      if (!a) return Fail();
      TNode n;
      n.Kind = TNode::Not;
      n.A = a;
      return Make(std::move(n));
    }
    if (Take("(")) {
      TNodeP e = ChoiceExpr();
      if (!Take(")")) return Fail();
      return e;
    }
    Skip();
    if (At < Text.size() && Text[At] == 'n') {
      ++At;
      TNode n;
      n.Kind = TNode::N;
      return Make(std::move(n));
    }
    if (At < Text.size() && std::isdigit(static_cast<unsigned char>(Text[At]))) {
      std::uint64_t v = 0;
      while (At < Text.size() && std::isdigit(static_cast<unsigned char>(Text[At]))) {
        if (v > 1000000000) return Fail();
        v = v * 10 + static_cast<std::uint64_t>(Text[At++] - '0');
      }
      TNode n;
      n.Value = v;
      return Make(std::move(n));
    }
    return Fail();
  }

  std::string_view Text;
  std::size_t At = 0;
  int Depth = 0;
  bool Failed = false;
};

std::uint64_t Evaluate(const TNode& e, std::uint64_t n) {
  switch (e.Kind) {
    case TNode::Number: return e.Value;
    case TNode::N: return n;
    case TNode::Not: return Evaluate(*e.A, n) == 0;
    case TNode::Choice: return Evaluate(*e.A, n) != 0 ? Evaluate(*e.B, n) : Evaluate(*e.C, n);
    case TNode::Binary: break;
  }
  const std::uint64_t a = Evaluate(*e.A, n);
  // && and || decide on their left side alone, as in C.
  if (e.Op == "&&") return a != 0 && Evaluate(*e.B, n) != 0;
  if (e.Op == "||") return a != 0 || Evaluate(*e.B, n) != 0;
  const std::uint64_t b = Evaluate(*e.B, n);
  if (e.Op == "==") return a == b;
  if (e.Op == "!=") return a != b;
  if (e.Op == "<") return a < b;
  if (e.Op == ">") return a > b;
  if (e.Op == "<=") return a <= b;
  if (e.Op == ">=") return a >= b;
  if (e.Op == "+") return a + b;
  if (e.Op == "-") return a - b;
  if (e.Op == "*") return a * b;
  // A rule that divides by zero gives the first form rather than a crash.
  if (e.Op == "/") return b == 0 ? 0 : a / b;
  if (e.Op == "%") return b == 0 ? 0 : a % b;
  return 0;
}

// The value of "name=" in a header line such as "nplurals=2; plural=(n > 1);".
std::string_view Field(std::string_view text, std::string_view name) {
  for (std::size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
    if (at > 0 && (std::isalnum(static_cast<unsigned char>(text[at - 1])) || text[at - 1] == '_')) continue;
    std::size_t from = at + name.size();
    while (from < text.size() && text[from] == ' ') ++from;
    if (from >= text.size() || text[from] != '=') continue;
    ++from;
    const std::size_t end = text.find_first_of(";\n", from);
    return text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from);
  }
  return {};
}

}  // namespace

bool TsysPluralRule::Parse(std::string_view header) {
  const std::size_t line = header.find("Plural-Forms:");
  if (line == std::string_view::npos) return false;
  std::string_view rule = header.substr(line);
  rule = rule.substr(0, rule.find('\n'));
  const std::string_view count = Field(rule, "nplurals");
  const std::string_view expression = Field(rule, "plural");
  std::uint32_t forms = 0;
  for (const char c : count) {
    if (c == ' ') continue;
    if (!std::isdigit(static_cast<unsigned char>(c)) || forms > 10) return false;
    forms = forms * 10 + static_cast<std::uint32_t>(c - '0');
  }
  // Real rules are short; a long one could only nest deep enough to hurt.
  if (forms < 1 || forms > 10 || expression.empty() || expression.size() > 400) return false;
  TNodeP parsed = TPluralParser(expression).Parse();
  if (!parsed) return false;
  FormCount = forms;
  Expression = std::move(parsed);
  return true;
}

std::uint32_t TsysPluralRule::FormOf(std::uint64_t n) const {
  const std::uint64_t form = Expression ? Evaluate(*Expression, n) : (n != 1 ? 1 : 0);
  // A rule that names a form the catalogue lacks falls back on the last one.
  return form < FormCount ? static_cast<std::uint32_t>(form) : FormCount - 1;
}

// ---------------------------------------------------------------------------
// The catalogue

namespace {

constexpr std::uint32_t MoMagic = 0x950412de;
constexpr std::uint32_t MoMagicSwapped = 0xde120495;

std::uint32_t Word(const std::uint8_t* p, bool swapped) {
  std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                    (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  if (swapped) v = (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24);
  return v;
}

}  // namespace

bool TsysCatalogue::Load(const std::uint8_t* data, std::size_t size) {
  Entries.clear();
  DroppedCount = 0;
  Rule = TsysPluralRule{};
  LoadError.clear();
  const auto fail = [&](const std::string& why) {
    Entries.clear();
    LoadError = why;
    return false;
  };
  if (data == nullptr || size < 28) return fail("too short for a catalogue header");
  const std::uint32_t magic = Word(data, false);
  if (magic != MoMagic && magic != MoMagicSwapped) return fail("not a compiled catalogue");
  const bool swapped = magic == MoMagicSwapped;
  if ((Word(data + 4, swapped) >> 16) > 1) return fail("a catalogue revision this program does not know");
  const std::uint64_t count = Word(data + 8, swapped);
  const std::uint64_t originals = Word(data + 12, swapped);
  const std::uint64_t translations = Word(data + 16, swapped);
  if (originals + count * 8 > size || translations + count * 8 > size)
    return fail("its tables run past the end of the file");
  // Each string: its length, its offset, and a NUL after it, all inside the file.
  const auto text = [&](std::uint64_t table, std::uint64_t i, std::string_view& out) {
    const std::uint64_t length = Word(data + table + i * 8, swapped);
    const std::uint64_t offset = Word(data + table + i * 8 + 4, swapped);
    if (offset + length >= size || data[offset + length] != 0) return false;
    out = std::string_view(reinterpret_cast<const char*>(data + offset), static_cast<std::size_t>(length));
    return true;
  };
  Entries.reserve(static_cast<std::size_t>(count));
  for (std::uint64_t i = 0; i < count; ++i) {
    std::string_view original;
    std::string_view translation;
    if (!text(originals, i, original) || !text(translations, i, translation))
      return fail("string " + std::to_string(i) + " lies outside the file");
    if (original.empty()) {
      Rule.Parse(translation);
      continue;
    }
    // The key is the context and the msgid (a plural's singular alone); the
    // forms of a plural are NUL-separated.
    const std::string key(original.substr(0, original.find('\0')));
    std::vector<std::string> forms;
    bool ok = !translation.empty();
    for (std::size_t from = 0; ok && from <= translation.size();) {
      std::size_t end = translation.find('\0', from);
      if (end == std::string_view::npos) end = translation.size();
      const std::optional<std::string> form = Utf8ToCodePage(translation.substr(from, end - from));
      ok = form.has_value() && !form->empty();
      if (ok) forms.push_back(*form);
      from = end + 1;
    }
    if (!ok) {
      ++DroppedCount;
      continue;
    }
    Entries[key] = std::move(forms);
  }
  return true;
}

const std::string* TsysCatalogue::Find(std::string_view context, std::string_view msgid) const {
  std::string key;
  if (!context.empty()) {
    key.append(context);
    key.push_back('\x04');
  }
  key.append(msgid);
  const auto it = Entries.find(key);
  return it == Entries.end() ? nullptr : &it->second.front();
}

const std::string* TsysCatalogue::FindPlural(std::string_view context, std::string_view singular,
                                             std::uint64_t n) const {
  std::string key;
  if (!context.empty()) {
    key.append(context);
    key.push_back('\x04');
  }
  key.append(singular);
  const auto it = Entries.find(key);
  if (it == Entries.end()) return nullptr;
  const std::size_t form = Rule.FormOf(n);
  return form < it->second.size() ? &it->second[form] : &it->second.back();
}

// ---------------------------------------------------------------------------
// The texts' look-up

namespace {

std::unique_ptr<TsysCatalogue>& Current() {
  static std::unique_ptr<TsysCatalogue> catalogue;
  return catalogue;
}

std::string& CurrentCode() {
  static std::string code = "en";
  return code;
}

}  // namespace

void SetCatalogue(std::unique_ptr<TsysCatalogue> catalogue, std::string code) {
  CurrentCode() = catalogue != nullptr && !code.empty() ? std::move(code) : "en";
  Current() = std::move(catalogue);
}

const std::string& LanguageCode() { return CurrentCode(); }

const TsysCatalogue* Catalogue() { return Current().get(); }

const char* Tr(const char* msgid) { return TrC("", msgid); }

const char* TrC(const char* context, const char* msgid) {
  const TsysCatalogue* c = Catalogue();
  if (c == nullptr || msgid == nullptr || *msgid == 0) return msgid;
  const std::string* found = c->Find(context, msgid);
  return found != nullptr ? found->c_str() : msgid;
}

const char* TrN(const char* singular, const char* plural, std::uint64_t n) {
  const TsysCatalogue* c = Catalogue();
  if (c != nullptr) {
    if (const std::string* found = c->FindPlural("", singular, n)) return found->c_str();
  }
  return n == 1 ? singular : plural;
}

std::string Tr(const std::string& msgid) { return Tr(msgid.c_str()); }

std::string PointText(const std::string& x, const std::string& y) {
  // TRANSLATORS: a point of the plane, x then y, as schools in your language
  // write it (French: "(%1$s ; %2$s)"). It is drawn over small monsters: keep it short.
  return Format(TrC("coordinates", "(%1$s,%2$s)"), {x, y});
}

std::string Fill(std::string text, std::initializer_list<std::string> values) {
  int n = 0;
  for (const std::string& v : values) {
    const std::string key = "{" + std::to_string(n++) + "}";
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + v.size()))
      text.replace(at, key.size(), v);
  }
  return text;
}

std::string Format(const char* pattern, const std::vector<std::string>& values) {
  std::string out;
  std::size_t next = 0;
  for (const char* p = pattern; p != nullptr && *p != 0; ++p) {
    if (*p != '%') {
      out.push_back(*p);
      continue;
    }
    const char* q = p + 1;
    if (*q == '%') {
      out.push_back('%');
      p = q;
      continue;
    }
    std::size_t index = next;
    // %N$s names its value, so a translation can change the order.
    if (std::isdigit(static_cast<unsigned char>(*q))) {
      const char* r = q;
      std::size_t n = 0;
      while (std::isdigit(static_cast<unsigned char>(*r)) && n < 100) n = n * 10 + static_cast<std::size_t>(*r++ - '0');
      if (*r == '$' && n >= 1) {
        index = n - 1;
        q = r + 1;
      }
    }
    if (*q != 's' && *q != 'd') {
      out.push_back('%');
      continue;
    }
    if (index < values.size()) out.append(values[index]);
    next = index + 1;
    p = q;
  }
  return out;
}

std::vector<std::string> LanguagesAskedFor(const std::function<const char*(const char*)>& getenv) {
  std::vector<std::string> asked;
  const auto add = [&](std::string value) {
    // "fr_FR.UTF-8@euro": the language and region, then the language alone.
    value = value.substr(0, value.find_first_of(".@"));
    if (value.empty()) return true;
    if (value == "C" || value == "POSIX") return false;
    for (const std::string& v : {value, value.substr(0, value.find('_'))})
      if (std::find(asked.begin(), asked.end(), v) == asked.end()) asked.push_back(v);
    return true;
  };
  if (const char* list = getenv("LANGUAGE"); list != nullptr && *list != 0) {
    std::string all(list);
    for (std::size_t from = 0; from <= all.size();) {
      std::size_t end = all.find(':', from);
      if (end == std::string::npos) end = all.size();
      if (!add(all.substr(from, end - from))) return asked;
      from = end + 1;
    }
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getenv(name);
    if (value == nullptr || *value == 0) continue;
    add(value);
    break;
  }
  return asked;
}

std::string ChooseLanguage(const std::vector<std::string>& asked, const std::vector<std::string>& available) {
  for (const std::string& language : asked) {
    if (language == "en" || language.rfind("en_", 0) == 0) return "";
    for (const std::string& a : available)
      if (a == language) return a;
  }
  return "";
}
