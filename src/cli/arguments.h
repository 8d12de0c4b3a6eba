// The command line of tavo-cli: positional words and "--option [value]" pairs.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tavo::cli {

// Bad usage: the message goes to stderr and the program exits with 2.
struct ErreurUsage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Arguments {
  public:
    // `avec_valeur` lists the options that take a value, `drapeaux` those that
    // do not; any other "--word" is bad usage.
    Arguments(const std::vector<std::string>& mots, const std::set<std::string>& avec_valeur,
              const std::set<std::string>& drapeaux);

    const std::vector<std::string>& positionnels() const { return positionnels_; }
    // The positional word at `i`, or bad usage naming what is missing.
    const std::string& positionnel(std::size_t i, const char* nom) const;
    // Bad usage when there are more than `n` positional words.
    void au_plus(std::size_t n) const;

    std::optional<std::string> valeur(const std::string& option) const;
    bool drapeau(const std::string& option) const { return drapeaux_.count(option) != 0; }

  private:
    std::vector<std::string> positionnels_;
    std::map<std::string, std::string> valeurs_;
    std::set<std::string> drapeaux_;
};

// A word of the command line as a message quotes it: its first 40
// characters, "…" marking a cut (a 10 MB value is not echoed whole).
std::string citer(const std::string& mot);

// A whole number written in decimal digits only, within [min, max]; bad usage
// naming `quoi` otherwise.
int entier_option(const std::string& texte, int min, int max, const char* quoi);

// The two player numbers that follow the file (echanger,
// appariement-interdit); nothing more may follow them.
std::pair<int, int> deux_joueurs(const Arguments& args);

}  // namespace tavo::cli
