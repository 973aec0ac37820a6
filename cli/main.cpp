// bilan-calcul PRODUCTION CONSOMMATION: the energy balance of the window, for
// scripts. Takes the two texts exactly as given, the decimal mark from the
// user's locale, prints each result text on its own line as soon as it is
// written, and reports a failure on standard error like the window's error box.
//
// Exit status: 0 after the four results, 1 after an error, 2 for a wrong
// number of arguments.

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "calc/energy_balance.h"
#include "calc/fields.h"
#include "platform/runtime/decimal_mark.h"
#include "platform/runtime/errors.h"
#include "platform/runtime/float_env.h"

namespace {

constexpr char kUsage[] =
    "Usage : bilan-calcul PRODUCTION CONSOMMATION\n"
    "Calcule la production nette, la production par jour, par an et en "
    "m\u00e9gawatts\n"
    "\u00e0 partir de la production et de la consommation des pompes en W/H, "
    "\u00e9crites\n"
    "avec le s\u00e9parateur d\u00e9cimal de la langue de l'utilisateur.\n";

// Thrown when standard output cannot take a result line.
class OutputError : public bilan::Exception {
 public:
  OutputError() : Exception("Impossible d'\u00e9crire le r\u00e9sultat sur la sortie standard") {}
};

// A result field: every text written into it goes out at once as one line.
class ResultLine : public bilan::TextInMemory {
 public:
  void SetText(const std::string& text) override {
    TextInMemory::SetText(text);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw OutputError();
  }
};

void PrintError(std::string_view message) {
  const std::string shown = bilan::WithClosingPeriod(message) + '\n';
  std::fwrite(shown.data(), 1, shown.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  bilan::InitFloatingPointEnvironment();
  bilan::InstallUserDefaultLocale();
  bilan::LoadDecimalMark();

  try {
    bilan::TextInMemory production(argv[1]);
    bilan::TextInMemory consumption(argv[2]);
    ResultLine net, daily, yearly, megawatts;
    bilan::EnergyBalance({production, consumption, net, daily, yearly, megawatts});
  } catch (const bilan::Exception& error) {
    PrintError(error.Message());
    return 1;
  } catch (const std::bad_alloc&) {
    PrintError("M\u00e9moire insuffisante");
    return 1;
  } catch (const std::exception& error) {
    PrintError(std::string("Erreur inattendue : ") + error.what());
    return 1;
  }
  return 0;
}
