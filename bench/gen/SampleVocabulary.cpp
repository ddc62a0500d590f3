#include "SampleVocabulary.h"

#include <array>

using namespace std::string_view_literals;

namespace vocabulary {
namespace {

constexpr std::array kTurkishMaleNames{
    "Ahmet"sv, "Mehmet"sv, "Mustafa"sv, "Ali"sv, "Hüseyin"sv, "Hasan"sv, "İbrahim"sv, "İsmail"sv, "Osman"sv,
    "Yusuf"sv, "Murat"sv, "Ömer"sv, "Ramazan"sv, "Halil"sv, "Süleyman"sv, "Abdullah"sv, "Mahmut"sv, "Recep"sv,
    "Salih"sv, "Fatih"sv, "Kadir"sv, "Emre"sv, "Hakan"sv, "Burak"sv, "Serkan"sv, "Uğur"sv, "Gökhan"sv,
    "Çağrı"sv, "Oğuz"sv, "Şükrü"sv, "Tuğrul"sv, "Barış"sv, "Doğan"sv, "Gürkan"sv, "Özgür"sv, "Ümit"sv,
    "Çetin"sv, "İlker"sv, "Ilgaz"sv, "Erdoğan"sv, "Şahin"sv, "Tayfun"sv, "Cengiz"sv, "Sinan"sv, "Yiğit"sv};

constexpr std::array kTurkishFemaleNames{
    "Fatma"sv, "Ayşe"sv, "Emine"sv, "Hatice"sv, "Zeynep"sv, "Elif"sv, "Meryem"sv, "Şerife"sv, "Zehra"sv,
    "Sultan"sv, "Hanife"sv, "Merve"sv, "Özlem"sv, "Gülşen"sv, "Büşra"sv, "Çiğdem"sv, "Gül"sv, "Sevgi"sv,
    "Şule"sv, "Dilek"sv, "Ebru"sv, "Ümran"sv, "Özge"sv, "Nazlı"sv, "İpek"sv, "Tuğba"sv, "Aslı"sv, "Işıl"sv,
    "Gökçe"sv, "Yağmur"sv, "Ilgın"sv, "Şükran"sv, "Güneş"sv, "Derya"sv, "Pınar"sv, "Nurgül"sv, "Hülya"sv};

constexpr std::array kTurkishSurnames{
    "Yılmaz"sv, "Kaya"sv, "Demir"sv, "Şahin"sv, "Çelik"sv, "Yıldız"sv, "Yıldırım"sv, "Öztürk"sv, "Aydın"sv,
    "Özdemir"sv, "Arslan"sv, "Doğan"sv, "Kılıç"sv, "Aslan"sv, "Çetin"sv, "Kara"sv, "Koç"sv, "Kurt"sv,
    "Özkan"sv, "Şimşek"sv, "Polat"sv, "Özcan"sv, "Korkmaz"sv, "Çakır"sv, "Erdoğan"sv, "Yavuz"sv, "Can"sv,
    "Acar"sv, "Şen"sv, "Aktaş"sv, "Güler"sv, "Yalçın"sv, "Güneş"sv, "Bozkurt"sv, "Bulut"sv, "Keskin"sv,
    "Ünal"sv, "Turan"sv, "Gül"sv, "Özer"sv, "Işık"sv, "Kaplan"sv, "Avcı"sv, "Sarı"sv, "Tekin"sv, "Taş"sv,
    "Köse"sv, "Yüksel"sv, "Ateş"sv, "Aksoy"sv, "Çiftçi"sv, "Uçar"sv, "Ağaoğlu"sv, "Gündoğdu"sv, "Eğilmez"sv,
    "İnce"sv, "Öğüt"sv, "Karagöz"sv, "Büyükşahin"sv, "Ilıcak"sv};

constexpr std::array kProvinces{
    "Adana"sv, "Adıyaman"sv, "Afyonkarahisar"sv, "Ağrı"sv, "Amasya"sv, "Ankara"sv, "Antalya"sv, "Artvin"sv,
    "Aydın"sv, "Balıkesir"sv, "Bilecik"sv, "Bingöl"sv, "Bitlis"sv, "Bolu"sv, "Burdur"sv, "Bursa"sv,
    "Çanakkale"sv, "Çankırı"sv, "Çorum"sv, "Denizli"sv, "Diyarbakır"sv, "Edirne"sv, "Elazığ"sv, "Erzincan"sv,
    "Erzurum"sv, "Eskişehir"sv, "Gaziantep"sv, "Giresun"sv, "Gümüşhane"sv, "Hakkari"sv, "Hatay"sv,
    "Isparta"sv, "Mersin"sv, "İstanbul"sv, "İzmir"sv, "Kars"sv, "Kastamonu"sv, "Kayseri"sv, "Kırklareli"sv,
    "Kırşehir"sv, "Kocaeli"sv, "Konya"sv, "Kütahya"sv, "Malatya"sv, "Manisa"sv, "Kahramanmaraş"sv,
    "Mardin"sv, "Muğla"sv, "Muş"sv, "Nevşehir"sv, "Niğde"sv, "Ordu"sv, "Rize"sv, "Sakarya"sv, "Samsun"sv,
    "Siirt"sv, "Sinop"sv, "Sivas"sv, "Tekirdağ"sv, "Tokat"sv, "Trabzon"sv, "Tunceli"sv, "Şanlıurfa"sv,
    "Uşak"sv, "Van"sv, "Yozgat"sv, "Zonguldak"sv, "Aksaray"sv, "Bayburt"sv, "Karaman"sv, "Kırıkkale"sv,
    "Batman"sv, "Şırnak"sv, "Bartın"sv, "Ardahan"sv, "Iğdır"sv, "Yalova"sv, "Karabük"sv, "Kilis"sv,
    "Osmaniye"sv, "Düzce"sv};

constexpr std::array kDistricts{
    "Merkez"sv, "Merkez"sv, "Merkez"sv, "Yenice"sv, "Gölbaşı"sv, "Yeşilyurt"sv, "Kale"sv, "Çayırova"sv,
    "Akçaabat"sv, "Bozüyük"sv, "Ortaköy"sv, "Karaköprü"sv, "Şehitkamil"sv, "Çukurova"sv, "Altındağ"sv};

constexpr std::array kQuarters{
    "Cumhuriyet Mah."sv, "Atatürk Mah."sv, "Yeni Mah."sv, "Fatih Mah."sv, "Gazi Osman Paşa Mah."sv,
    "Hürriyet Mah."sv, "İstiklal Mah."sv, "Çarşı Mah."sv, "Şehitler Mah."sv, "Bahçelievler Mah."sv,
    "Köyiçi Mah."sv, "Yıldıztepe Mah."sv, "Güzelyalı Mah."sv, "Ilıca Köyü"sv};

constexpr std::array kStreets{
    "Gül Sk."sv, "Çınar Sk."sv, "İnönü Cd."sv, "Atatürk Blv."sv, "Menekşe Sk."sv, "Şehit Ömer Sk."sv,
    "Değirmen Sk."sv, "Lale Sk."sv, "Öğretmenler Cd."sv, "Ihlamur Sk."sv, "Çamlık Sk."sv, "Üzüm Sk."sv};

constexpr std::array kOccupations{
    "Öğretmen"sv, "Mühendis"sv, "Doktor"sv, "Esnaf"sv, "Öğrenci"sv, "Emekli"sv, "Şoför"sv, "Memur"sv,
    "İşçi"sv, "Avukat"sv, "Hemşire"sv, "Çiftçi"sv, "Ev Hanımı"sv, "Serbest Meslek"sv, "Aşçı"sv,
    "Muhasebeci"sv, "Satış Temsilcisi"sv, "Yazılımcı"sv};

constexpr std::array kForeignMaleNames{
    "Hans"sv, "John"sv, "Ivan"sv, "Pierre"sv, "Giovanni"sv, "Reza"sv, "Giorgi"sv, "Jan"sv, "Lars"sv,
    "Ahmad"sv, "Dmitri"sv, "Peter"sv, "Olek"sv, "Tural"sv, "José"sv, "Jürgen"sv};

constexpr std::array kForeignFemaleNames{
    "Anna"sv, "Mary"sv, "Olga"sv, "Sophie"sv, "Maria"sv, "Leyla"sv, "Nino"sv, "Eva"sv, "Ingrid"sv,
    "Fatima"sv, "Elena"sv, "Chloé"sv, "Agnieszka"sv, "Günay"sv};

constexpr std::array kForeignSurnames{
    "Müller"sv, "Schmidt"sv, "Smith"sv, "Johnson"sv, "Ivanov"sv, "Dubois"sv, "Rossi"sv, "Hosseini"sv,
    "Aliyev"sv, "Beridze"sv, "Novak"sv, "Jansen"sv, "Andersson"sv, "García"sv, "Kowalski"sv, "Popescu"sv,
    "Kovalenko"sv, "O'Brien"sv, "Weiß"sv};

constexpr std::array kForeignCities{
    "Berlin"sv, "München"sv, "London"sv, "Moskova"sv, "Kiev"sv, "Amsterdam"sv, "Paris"sv, "Tahran"sv,
    "Bakü"sv, "Tiflis"sv, "Sofya"sv, "Viyana"sv, "Roma"sv, "Varşova"sv, "Stockholm"sv, "Lefkoşa"sv};

// Codes of the seeded nationality list that most foreign guests carry.
constexpr std::array kFrequentForeignNationalities{
    "DEU"sv, "RUS"sv, "GBR"sv, "UKR"sv, "NLD"sv, "IRN"sv, "AZE"sv, "GEO"sv, "BGR"sv, "FRA"sv, "POL"sv,
    "AUT"sv, "BEL"sv, "ITA"sv, "SWE"sv, "USA"sv, "KKTC"sv};

constexpr std::array kFacilityKinds{"Otel"sv, "Pansiyon"sv, "Apart"sv, "Butik Otel"sv, "Tatil Köyü"sv,
                                    "Konukevi"sv};

constexpr std::array kFacilityWords{"Güneş"sv, "Deniz"sv, "Çınar"sv, "Yıldız"sv, "Gül"sv, "Ilgaz"sv,
                                    "Öykü"sv, "Şelale"sv, "Defne"sv, "Dağ Evi"sv, "Kuşadası"sv, "Çamlık"sv};

constexpr std::array kRoomDescriptions{"Tek kişilik oda"sv, "Çift kişilik oda"sv, "Üç kişilik oda"sv,
                                       "Aile odası"sv, "Suit"sv, "Bungalov"sv, "Müstakil ev"sv,
                                       "Deniz manzaralı oda"sv};

constexpr std::array kNotes{"Erken giriş"sv, "Geç çıkış"sv, "Kahvaltı dahil"sv, "Evcil hayvanla"sv,
                            "Kurumsal fatura"sv, "Ödeme çıkışta"sv, "Şirket adına"sv};

// Turkish plates use the Latin letters without Q, W and X.
constexpr std::array kPlateLetters{"A"sv, "B"sv, "C"sv, "D"sv, "E"sv, "F"sv, "G"sv, "H"sv, "J"sv, "K"sv,
                                   "L"sv, "M"sv, "N"sv, "P"sv, "R"sv, "S"sv, "T"sv, "U"sv, "V"sv, "Y"sv,
                                   "Z"sv};

static_assert(kProvinces.size() == 81);

} // namespace

Words turkishMaleNames() { return kTurkishMaleNames; }
Words turkishFemaleNames() { return kTurkishFemaleNames; }
Words turkishSurnames() { return kTurkishSurnames; }
Words provinces() { return kProvinces; }
Words districts() { return kDistricts; }
Words quarters() { return kQuarters; }
Words streets() { return kStreets; }
Words occupations() { return kOccupations; }
Words foreignMaleNames() { return kForeignMaleNames; }
Words foreignFemaleNames() { return kForeignFemaleNames; }
Words foreignSurnames() { return kForeignSurnames; }
Words foreignCities() { return kForeignCities; }
Words frequentForeignNationalities() { return kFrequentForeignNationalities; }
Words facilityKinds() { return kFacilityKinds; }
Words facilityWords() { return kFacilityWords; }
Words roomDescriptions() { return kRoomDescriptions; }
Words notes() { return kNotes; }
Words plateLetters() { return kPlateLetters; }

} // namespace vocabulary
