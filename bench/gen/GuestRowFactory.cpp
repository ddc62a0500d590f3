#include "GuestRowFactory.h"

#include "SampleRandom.h"
#include "SampleVocabulary.h"
#include "StoredForms.h"
#include "TcNumber.h"

#include <cstdio>

namespace {

std::string word(SampleRandom &random, vocabulary::Words words)
{
    return std::string(random.pick(words));
}

} // namespace

GuestRowFactory::GuestRowFactory(SampleRandom &random, std::vector<std::string> foreignNationalities)
    : m_random(random), m_foreignNationalities(std::move(foreignNationalities))
{
}

GuestRow GuestRowFactory::make(const StayPlan &plan, std::int64_t roomId)
{
    GuestRow row;
    row.roomId = roomId;
    const bool male = m_random.chance(520);
    row.cinsiyet = male ? "E" : "K";
    if (m_random.chance(850))
        fillCitizen(row, male);
    else
        fillForeigner(row, male);
    fillBirthAndFamily(row, plan);
    fillStayTimes(row, plan);
    if (m_random.chance(650))
        row.meslegi = word(m_random, vocabulary::occupations());
    if (m_random.chance(50))
        row.notlar = word(m_random, vocabulary::notes());
    if (plan.incomplete)
        leaveOneRequiredValueOut(row);
    return row;
}

void GuestRowFactory::fillCitizen(GuestRow &row, bool male)
{
    row.uyrugu = "TC";
    row.kimlikTuru = "N";
    row.tcNo = static_cast<std::int64_t>(randomTcNumber(m_random));
    // identity card serial: letter, two digits, letter, five digits
    row.kimlikSeriNo = word(m_random, vocabulary::plateLetters()) + digits(2) +
                       word(m_random, vocabulary::plateLetters()) + digits(5);
    row.adi = word(m_random, male ? vocabulary::turkishMaleNames() : vocabulary::turkishFemaleNames());
    if (m_random.chance(60)) // a second given name
        row.adi += ' ' + word(m_random, male ? vocabulary::turkishMaleNames() : vocabulary::turkishFemaleNames());
    row.soyadi = word(m_random, vocabulary::turkishSurnames());
    row.babaAdi = word(m_random, vocabulary::turkishMaleNames());
    row.anaAdi = word(m_random, vocabulary::turkishFemaleNames());
    row.dogumYeri = word(m_random, vocabulary::provinces());
    row.ikametAdresi = turkishAddress();
    if (m_random.chance(800)) {
        row.nufusKayitIl = word(m_random, vocabulary::provinces());
        row.nufusKayitIlce = word(m_random, vocabulary::districts());
        row.nufusKayitMah = word(m_random, vocabulary::quarters());
        row.nufusCilt = m_random.between(1, 9999);
        row.nufusAileSiraNo = m_random.between(1, 999);
        row.nufusSiraNo = m_random.between(1, 250);
    }
    if (m_random.chance(250))
        row.aracPlakaNo = plateNumber();
}

void GuestRowFactory::fillForeigner(GuestRow &row, bool male)
{
    // most foreign guests come from a handful of countries, the rest from anywhere on the list
    row.uyrugu = m_random.chance(800) || m_foreignNationalities.empty()
                     ? word(m_random, vocabulary::frequentForeignNationalities())
                     : m_random.pick(std::span<const std::string>(m_foreignNationalities));
    row.kimlikTuru = "P";
    row.kimlikSeriNo = word(m_random, vocabulary::plateLetters()) + word(m_random, vocabulary::plateLetters()) +
                       digits(7);
    row.adi = word(m_random, male ? vocabulary::foreignMaleNames() : vocabulary::foreignFemaleNames());
    row.soyadi = word(m_random, vocabulary::foreignSurnames());
    row.babaAdi = word(m_random, vocabulary::foreignMaleNames());
    if (m_random.chance(400))
        row.anaAdi = word(m_random, vocabulary::foreignFemaleNames());
    row.dogumYeri = word(m_random, vocabulary::foreignCities());
    row.ikametAdresi = word(m_random, vocabulary::foreignSurnames()) + "str. " +
                       std::to_string(m_random.between(1, 200)) + ", " + row.dogumYeri;
    if (m_random.chance(50))
        row.aracPlakaNo = word(m_random, vocabulary::plateLetters()) + ' ' + word(m_random, vocabulary::plateLetters()) +
                          word(m_random, vocabulary::plateLetters()) + ' ' + digits(4);
}

void GuestRowFactory::fillBirthAndFamily(GuestRow &row, const StayPlan &plan)
{
    const bool child = m_random.chance(120);
    const std::int64_t ageDays = child ? m_random.between(365, 17 * 365) : m_random.between(18 * 365, 85 * 365);
    row.dogumTarihi = storedforms::dayText(plan.arrival - ageDays);
    row.medeniDurum = !child && m_random.chance(600) ? "E" : "B";
}

void GuestRowFactory::fillStayTimes(GuestRow &row, const StayPlan &plan)
{
    const bool sameDay = plan.departure && *plan.departure == plan.arrival;
    // a guest who leaves on the day of arrival comes in the morning and leaves in the afternoon
    const int arrivalHour = static_cast<int>(sameDay ? m_random.between(7, 12) : m_random.between(10, 23));
    row.gelisTarih = storedforms::dayText(plan.arrival);
    row.gelisSaat = storedforms::timeText(arrivalHour, static_cast<int>(m_random.between(0, 59)),
                                          static_cast<int>(m_random.between(0, 59)),
                                          static_cast<int>(m_random.between(0, 999)));
    if (!plan.departure)
        return;
    const int departureHour = static_cast<int>(sameDay ? m_random.between(13, 22) : m_random.between(7, 12));
    row.ayrilisTarih = storedforms::dayText(*plan.departure);
    row.ayrilisSaat = storedforms::timeText(departureHour, static_cast<int>(m_random.between(0, 59)),
                                            static_cast<int>(m_random.between(0, 59)),
                                            static_cast<int>(m_random.between(0, 999)));
}

void GuestRowFactory::leaveOneRequiredValueOut(GuestRow &row)
{
    // NOT NULL columns are left as empty text, the others as NULL
    switch (m_random.between(0, 5)) {
    case 0: row.gelisSaat.reset(); break;
    case 1: row.babaAdi = std::string(); break;
    case 2: row.dogumTarihi.clear(); break;
    case 3:
        if (row.tcNo)
            row.tcNo.reset();
        else
            row.kimlikSeriNo.clear();
        break;
    case 4:
        if (row.ayrilisTarih)
            row.ayrilisSaat.reset();
        else
            row.ikametAdresi.clear();
        break;
    default: row.dogumYeri.clear(); break;
    }
}

std::string GuestRowFactory::turkishAddress()
{
    const std::size_t province = static_cast<std::size_t>(m_random.between(0, 80));
    return word(m_random, vocabulary::quarters()) + ' ' + word(m_random, vocabulary::streets()) + " No:" +
           std::to_string(m_random.between(1, 150)) + " D:" + std::to_string(m_random.between(1, 20)) + ' ' +
           word(m_random, vocabulary::districts()) + '/' + std::string(vocabulary::provinces()[province]);
}

std::string GuestRowFactory::plateNumber()
{
    char province[4];
    std::snprintf(province, sizeof province, "%.2d", static_cast<int>(m_random.between(1, 81)));
    std::string letters = word(m_random, vocabulary::plateLetters());
    for (std::int64_t extra = m_random.between(0, 2); extra > 0; --extra)
        letters += word(m_random, vocabulary::plateLetters());
    return std::string(province) + ' ' + letters + ' ' + std::to_string(m_random.between(10, 9999));
}

std::string GuestRowFactory::digits(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>('0' + m_random.between(0, 9));
    return text;
}
