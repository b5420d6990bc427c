// Test files shared by several tests, as Windows-1250 bytes with CR LF ends.
#pragma once

#include <QByteArray>

// The file of a new test with the default properties and one default
// question.
inline const QByteArray DefaultTestFile =
    "[TEST]\r\n"
    "[TYTU\xA3]Tytu\xB3 testu\r\n"
    "[OPIS]\r\n"
    "[ROZMIAR_CZCIONKI]14\r\n"
    "[PROCENTOWO]TAK\r\n"
    "[ILE_ZAKRES\xD3W]2\r\n"
    "  [ZAKRES]\r\n"
    "    [ZAKRES_OD]0\r\n"
    "    [ZAKRES_DO]59\r\n"
    "    [OPIS_ZAKRESU]Test niezaliczony\r\n"
    "  [ZAKRES]\r\n"
    "    [ZAKRES_OD]60\r\n"
    "    [ZAKRES_DO]100\r\n"
    "    [OPIS_ZAKRESU]Test zaliczony\r\n"
    "[ZAKRESY_KONIEC]\r\n"
    "[ILE_PYTA\xD1]1\r\n"
    "  [PYTANIE]\r\n"
    "    [TRE\x8C\xC6_PYTANIA]Pytanie nr 1\r\n"
    "    [RODZAJ_PYTANIA]Jednokrotnego wyboru\r\n"
    "    [ROZMIAR_CZCIONKI]0\r\n"
    "    [ILE_ODPOWIEDZI]3\r\n"
    "      [ODPOWIED\x8F]\r\n"
    "        [TRE\x8C\xC6_ODPOWIEDZI]Odpowied\x9F A\r\n"
    "        [PUNKTACJA_ODPOWIEDZI]1\r\n"
    "      [ODPOWIED\x8F]\r\n"
    "        [TRE\x8C\xC6_ODPOWIEDZI]Odpowied\x9F B\r\n"
    "        [PUNKTACJA_ODPOWIEDZI]0\r\n"
    "      [ODPOWIED\x8F]\r\n"
    "        [TRE\x8C\xC6_ODPOWIEDZI]Odpowied\x9F C\r\n"
    "        [PUNKTACJA_ODPOWIEDZI]0\r\n"
    "    [ODPOWIEDZI_KONIEC]\r\n"
    "  [PYTANIA_KONIEC]\r\n"
    "[TEST_KONIEC]\r\n";
