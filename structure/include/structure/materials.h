// The built-in materials: strength and stiffness along the blade's span, and density.
//
// The strength is the one that limits a blade in bending: the tensile strength of printed
// plastics (across the layers for a blade printed standing, where the layers' bond gives way
// first) and of the glass laminate, the modulus of rupture of wood. Printed figures come from
// printed test bars, so they hold for solid printing in that direction; they vary with the
// printer, the settings and the spool, by a fifth and more. The density is given for the form's
// density field: the analysis weighs the blade with the form's density, as the table does.
//
// Sources:
// - PLA: ISO 527-2 type 1A bars printed on edge (layers along the bar) and upright (across),
//   Revista de Materiale Plastice, article 11509 (revmaterialeplastice.ro/articles/11509):
//   47 MPa and 2.9 GPa on edge, 16 MPa and 2.0 GPa upright; density 1.22-1.26 g/cm3
//   (additive.tools/materials/pla).
// - PETG: printed as built, additive.tools/materials/petg, the low end of each range:
//   44-56 MPa flat (XY), 25-38 MPa upright (Z), modulus 2-3 GPa (given flat only, taken for
//   both), density 1.25-1.29 g/cm3.
// - ABS: Stratasys ABS-M30, tested to ISO 527 by Loughborough University for Stratasys
//   ("Fortus ABS-M30: property published, test result", 33 MPa); Young's modulus 2413 MPa and
//   specific gravity 1.04 from its data sheet.
// - Nylon with chopped carbon fibre: Markforged Onyx, Markforged composites material data
//   sheet: tensile stress at break 37 MPa, tensile modulus 2.4 GPa, density 1.2 g/cm3.
// - Sitka spruce: clear wood at 12 % moisture, along the grain, Wood Handbook (USDA Forest
//   Products Laboratory, FPL-GTR-113, 1999), ch. 4, Table 4-3a: modulus of rupture 70 MPa,
//   modulus of elasticity 10.8 GPa, specific gravity 0.40 (450 kg/m3 with its moisture).
// - Birch plywood: along the face grain, the specified minimum modulus of rupture 50 MPa and
//   modulus of elasticity 7.5 GPa of the Indian Standard for film-faced birch plywood as OTP
//   Plywood lists them (otpplywood.com/otp-film-faced-plywood); density 680 kg/m3 (Handbook of
//   Finnish Plywood, Finnish Forest Industries Federation, 2002, sec. 3.1).
// - Glass-epoxy: NEMA G-10 glass-cloth laminate, warp direction, room temperature: Kasen et al.,
//   "Mechanical, electrical, and thermal characterization of G-10CR and G-11CR glass-cloth/epoxy
//   laminates between room temperature and 4 K", Advances in Cryogenic Engineering 26 (1980)
//   235: tensile strength 429 MPa, modulus 27.9 GPa, density 1.904 g/cm3. A laminate wetted out
//   by hand holds less glass and reaches perhaps two thirds of that.
#pragma once

#include <span>
#include <string_view>

namespace zephyrion::structure {

struct Material {
  std::string_view name;         // as the command line takes it
  std::string_view description;  // in words, for the report
  double strength = 0;           // MPa
  double modulus = 0;            // GPa
  double density = 0;            // kg/m3
};

std::span<const Material> builtInMaterials();

// The material of that name, or none.
const Material* findMaterial(std::string_view name);

}  // namespace zephyrion::structure
