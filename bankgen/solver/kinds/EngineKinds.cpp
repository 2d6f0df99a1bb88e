// Engine, fuel, battery and propeller sums (questions 54 and 59 to 64). Each input is a number
// the question prints; the key's tolerance is 0.5 % of the computed value unless the table gives
// an absolute `tolerance`.

#include "bankgen/solver/detail/Kinds.h"
#include "bankgen/solver/detail/Texts.h"

#include <cmath>

namespace tovarin::solver::detail {
namespace {

constexpr double metresPerNauticalMile = 1852.0;

std::string shown(double v)
{
    return plain(std::round(v * 1000.0) / 1000.0);
}

Solution finished(Solution s, double value)
{
    s.value = { value };
    return s;
}

// Litres used on a passage: distance_nm, speed_kn, litres_per_hour.
Solution fuelForDistance(Inputs &in)
{
    Solution s = started("fuel_for_distance", Quantity::Number, "リットル");
    const double d = in.figure("distance_nm"), v = in.figure("speed_kn"),
                 lph = in.figure("litres_per_hour");
    step(s, "航走時間", "航走時間 ＝ 航程 ÷ 速力", shown(d) + " ÷ " + shown(v),
        shown(d / v) + "時間");
    step(s, "燃料消費量", "消費量 ＝ 毎時の消費量 × 航走時間", shown(lph) + " × " + shown(d / v),
        shown(lph * d / v) + "リットル");
    return finished(s, lph * d / v);
}

// Miles run on the fuel above the reserve: fuel_l, reserve_l, litres_per_hour, speed_kn.
Solution range(Inputs &in)
{
    Solution s = started("range", Quantity::Number, "海里");
    const double fuel = in.figure("fuel_l"), reserve = in.figure("reserve_l"),
                 lph = in.figure("litres_per_hour"), v = in.figure("speed_kn");
    const double usable = fuel - reserve, hours = usable / lph;
    step(s, "使える燃料", "使える燃料 ＝ 搭載量 － 予備", shown(fuel) + " - " + shown(reserve),
        shown(usable) + "リットル");
    step(s, "航走できる時間", "時間 ＝ 使える燃料 ÷ 毎時の消費量",
        shown(usable) + " ÷ " + shown(lph), shown(hours) + "時間");
    step(s, "航続距離", "航続距離 ＝ 速力 × 時間", shown(v) + " × " + shown(hours),
        shown(v * hours) + "海里");
    return finished(s, v * hours);
}

// (swept + clearance) / clearance: swept_cc, clearance_cc.
Solution compressionRatio(Inputs &in)
{
    Solution s = started("compression_ratio", Quantity::Number, "");
    const double swept = in.figure("swept_cc"), clearance = in.figure("clearance_cc");
    step(s, "圧縮比", "圧縮比 ＝ （行程容積 ＋ すき間容積） ÷ すき間容積",
        "(" + shown(swept) + " + " + shown(clearance) + ") ÷ " + shown(clearance),
        shown((swept + clearance) / clearance));
    return finished(s, (swept + clearance) / clearance);
}

// Power strokes per minute over all cylinders: rpm, cylinders, strokes_per_cycle (2 or 4).
Solution powerStrokes(Inputs &in)
{
    Solution s = started("power_strokes", Quantity::Number, "回");
    const double rpm = in.figure("rpm"), cylinders = in.figure("cylinders"),
                 strokes = in.figure("strokes_per_cycle");
    const double revsPerCycle = strokes / 2.0;
    step(s, "1シリンダの燃焼回数",
        strokes == 4.0 ? "4サイクル機関は2回転に1回燃焼する" : "2サイクル機関は1回転に1回燃焼する",
        shown(rpm) + " ÷ " + shown(revsPerCycle), shown(rpm / revsPerCycle) + "回");
    step(s, "全シリンダの燃焼回数", "回数 ＝ 1シリンダの回数 × シリンダ数",
        shown(rpm / revsPerCycle) + " × " + shown(cylinders),
        shown(rpm / revsPerCycle * cylinders) + "回");
    return finished(s, rpm / revsPerCycle * cylinders);
}

// Litres of oil mixed into fuel_l litres of petrol at ratio : 1.
Solution premixOil(Inputs &in)
{
    Solution s = started("premix_oil", Quantity::Number, "リットル");
    const double fuel = in.figure("fuel_l"), ratio = in.figure("ratio");
    step(s, "潤滑油の量", "潤滑油 ＝ ガソリンの量 ÷ 混合比", shown(fuel) + " ÷ " + shown(ratio),
        shown(fuel / ratio) + "リットル");
    return finished(s, fuel / ratio);
}

// Litres of lubricating oil used per hour: added_l (number or list), hours.
Solution oilPerHour(Inputs &in)
{
    Solution s = started("oil_per_hour", Quantity::Number, "リットル");
    const double added = in.figureSum("added_l"), hours = in.figure("hours");
    step(s, "補給量の合計", "消費量 ＝ 補給した量の合計（油面が同じなら補給量が消費量）", "",
        shown(added) + "リットル");
    step(s, "1時間当たり", "1時間当たり ＝ 消費量 ÷ 運転時間", shown(added) + " ÷ " + shown(hours),
        shown(added / hours) + "リットル");
    return finished(s, added / hours);
}

// Bank of equal batteries, in_series per string, in_parallel strings:
// volts, amp_hours, asked = "volts" or "amp_hours".
Solution batteryBank(Inputs &in)
{
    const std::string asked = in.text("asked");
    const double volts = in.figure("volts"), ah = in.figure("amp_hours"),
                 series = in.figure("in_series"), parallel = in.figure("in_parallel");
    if (asked == "volts") {
        Solution s = started("battery_bank", Quantity::Number, "V");
        step(s, "電圧", "直列につなぐと電圧が加わる: 電圧 ＝ 1個の電圧 × 直列の個数",
            shown(volts) + " × " + shown(series), shown(volts * series) + "V");
        return finished(s, volts * series);
    }
    if (asked == "amp_hours") {
        Solution s = started("battery_bank", Quantity::Number, "Ah");
        step(s, "容量",
            "並列につなぐと容量が加わる: 容量 ＝ 1組の容量 × "
            "並列の組数（直列では容量は変わらない）",
            shown(ah) + " × " + shown(parallel), shown(ah * parallel) + "Ah");
        return finished(s, ah * parallel);
    }
    throw CheckError("battery_bank asks for '" + asked + "'");
}

// Hours of charging: capacity_ah, discharged_ah, current_fraction (of capacity),
// charge_factor (charge put back per unit discharged).
Solution chargingTime(Inputs &in)
{
    Solution s = started("charging_time", Quantity::Number, "時間");
    const double capacity = in.figure("capacity_ah"), discharged = in.figure("discharged_ah"),
                 fraction = in.figure("current_fraction", true),
                 factor = in.figure("charge_factor");
    const double current = capacity * fraction, charge = discharged * factor;
    step(s, "充電電流", "充電電流 ＝ 容量 × 割合", shown(capacity) + " × " + shown(fraction),
        shown(current) + "A");
    step(s, "充電する電気量", "電気量 ＝ 放電量 × 倍率", shown(discharged) + " × " + shown(factor),
        shown(charge) + "Ah");
    step(s, "充電時間", "時間 ＝ 電気量 ÷ 充電電流", shown(charge) + " ÷ " + shown(current),
        shown(charge / current) + "時間");
    return finished(s, charge / current);
}

// Hours a load runs: capacity_ah, usable_percent, load_w, volts.
Solution batteryHours(Inputs &in)
{
    Solution s = started("battery_hours", Quantity::Number, "時間");
    const double capacity = in.figure("capacity_ah"), usable = in.figure("usable_percent"),
                 load = in.figure("load_w"), volts = in.figure("volts");
    const double amps = load / volts, ah = capacity * usable / 100.0;
    step(s, "電流", "電流 ＝ 電力 ÷ 電圧", shown(load) + " ÷ " + shown(volts), shown(amps) + "A");
    step(s, "使える電気量", "電気量 ＝ 容量 × 使う割合",
        shown(capacity) + " × " + shown(usable) + "%", shown(ah) + "Ah");
    step(s, "点灯時間", "時間 ＝ 電気量 ÷ 電流", shown(ah) + " ÷ " + shown(amps),
        shown(ah / amps) + "時間");
    return finished(s, ah / amps);
}

// Knots made good: pitch_m, engine_rpm, reduction_ratio, slip (fraction).
Solution propellerSpeed(Inputs &in)
{
    Solution s = started("propeller_speed", Quantity::Number, "ノット");
    const double pitch = in.figure("pitch_m"), rpm = in.figure("engine_rpm"),
                 reduction = in.figure("reduction_ratio"), slip = in.figure("slip", true);
    const double prop = rpm / reduction, metresPerHour = pitch * prop * 60.0;
    step(s, "プロペラ回転数", "プロペラ回転数 ＝ 機関回転数 ÷ 減速比",
        shown(rpm) + " ÷ " + shown(reduction), "毎分" + shown(prop) + "回転");
    step(s, "理論上の速力", "1時間に進む距離 ＝ ピッチ × 毎分回転数 × 60 ÷ 1852",
        shown(pitch) + " × " + shown(prop) + " × 60 ÷ 1852",
        shown(metresPerHour / metresPerNauticalMile) + "ノット");
    const double v = metresPerHour * (1.0 - slip) / metresPerNauticalMile;
    step(s, "速力", "速力 ＝ 理論上の速力 × （1 － スリップ比）",
        shown(metresPerHour / metresPerNauticalMile) + " × (1 - " + shown(slip) + ")",
        shown(v) + "ノット");
    return finished(s, v);
}

// Slip in percent of the theoretical speed: pitch_m, propeller_rpm, speed_kn.
Solution propellerSlip(Inputs &in)
{
    Solution s = started("propeller_slip", Quantity::Number, "％");
    const double pitch = in.figure("pitch_m"), rpm = in.figure("propeller_rpm"),
                 v = in.figure("speed_kn");
    const double theoretical = pitch * rpm * 60.0 / metresPerNauticalMile;
    step(s, "理論上の速力", "理論上の速力 ＝ ピッチ × 毎分回転数 × 60 ÷ 1852",
        shown(pitch) + " × " + shown(rpm) + " × 60 ÷ 1852", shown(theoretical) + "ノット");
    const double slip = 100.0 * (theoretical - v) / theoretical;
    step(s, "スリップ比", "スリップ比 ＝ （理論上の速力 － 実際の速力） ÷ 理論上の速力 × 100",
        "(" + shown(theoretical) + " - " + shown(v) + ") ÷ " + shown(theoretical) + " × 100",
        shown(slip) + "％");
    return finished(s, slip);
}

// Propeller revolutions per minute: engine_rpm, reduction_ratio.
Solution propellerRpm(Inputs &in)
{
    Solution s = started("propeller_rpm", Quantity::Number, "回転");
    const double rpm = in.figure("engine_rpm"), reduction = in.figure("reduction_ratio");
    step(s, "プロペラ回転数", "プロペラ回転数 ＝ 機関回転数 ÷ 減速比",
        shown(rpm) + " ÷ " + shown(reduction), "毎分" + shown(rpm / reduction) + "回転");
    return finished(s, rpm / reduction);
}

// Litres to carry for a passage plus a reserve: distance_nm, speed_kn, litres_per_hour,
// reserve (fraction of the passage fuel, 0.2 for 20 %).
Solution fuelWithReserve(Inputs &in)
{
    Solution s = started("fuel_with_reserve", Quantity::Number, "リットル");
    const double d = in.figure("distance_nm"), v = in.figure("speed_kn"),
                 lph = in.figure("litres_per_hour"), reserve = in.figure("reserve", true);
    const double passage = d / v * lph;
    step(s, "航走時間", "航走時間 ＝ 航程 ÷ 速力", shown(d) + " ÷ " + shown(v),
        shown(d / v) + "時間");
    step(s, "航海に必要な燃料", "燃料 ＝ 毎時の消費量 × 航走時間",
        shown(lph) + " × " + shown(d / v), shown(passage) + "リットル");
    step(s, "予備を加えた燃料", "積む燃料 ＝ 必要な燃料 × （1 ＋ 予備の割合）",
        shown(passage) + " × (1 + " + shown(reserve) + ")",
        shown(passage * (1.0 + reserve)) + "リットル");
    return finished(s, passage * (1.0 + reserve));
}

} // namespace

std::vector<Kind> engineKinds()
{
    constexpr ToleranceRule relative = ToleranceRule::Relative;
    return {
        { "fuel_for_distance", fuelForDistance, relative, 0.005 },
        { "range", range, relative, 0.005 },
        { "compression_ratio", compressionRatio, relative, 0.005 },
        { "power_strokes", powerStrokes, relative, 0.005 },
        { "premix_oil", premixOil, relative, 0.005 },
        { "oil_per_hour", oilPerHour, relative, 0.005 },
        { "battery_bank", batteryBank, relative, 0.005 },
        { "charging_time", chargingTime, relative, 0.005 },
        { "battery_hours", batteryHours, relative, 0.005 },
        { "propeller_speed", propellerSpeed, relative, 0.005 },
        { "propeller_slip", propellerSlip, relative, 0.005 },
        { "propeller_rpm", propellerRpm, relative, 0.005 },
        { "fuel_with_reserve", fuelWithReserve, relative, 0.005 },
    };
}

} // namespace tovarin::solver::detail
