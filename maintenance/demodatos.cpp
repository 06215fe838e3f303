#include "maintenance/demodatos.h"

namespace zmk::demo {

const CentroDemo kCentros[2] = {
    {"01",
     "Escolia Centro",
     "Calle de Alcalá, 120",
     "280",
     50,
     "Madrid",
     "914350120",
     "centro@escolia.example.com",
     6,
     {{"ING-INF", "Inglés Infantil", 38, 0, 60, 4, 6, true},
      {"ING-PRI", "Inglés Primaria", 45, 0, 90, 6, 12, true},
      {"ING-ESO", "Inglés ESO y Bachillerato", 52, 0, 90, 12, 18, true},
      {"ING-ADU", "Inglés para adultos", 60, 21, 90, 20, 60, true}}},
    {"02",
     "Escolia Henares",
     "Calle Mayor, 45",
     "2880",
     7,
     "Alcalá de Henares",
     "918820045",
     "henares@escolia.example.com",
     4,
     {{"MAT-ESO", "Matemáticas ESO", 55, 0, 90, 12, 16, false},
      {"REF-PRI", "Refuerzo escolar Primaria", 42, 0, 120, 6, 12, false},
      {"FRA-JUV", "Francés juvenil", 48, 0, 60, 10, 17, true},
      {"INF-ADU", "Informática para adultos", 58, 21, 60, 25, 65, false}}},
};

const QStringList& NombresHombre() {
    static const QStringList names = {
        "Antonio",  "José",      "Manuel",  "Francisco", "David",  "Juan",    "Javier",  "Daniel",
        "Carlos",   "Alejandro", "Miguel",  "Rafael",    "Pablo",  "Pedro",   "Ángel",   "Sergio",
        "Fernando", "Jorge",     "Luis",    "Alberto",   "Álvaro", "Adrián",  "Diego",   "Raúl",
        "Iván",     "Rubén",     "Enrique", "Óscar",     "Ramón",  "Andrés",  "Hugo",    "Mario",
        "Lucas",    "Martín",    "Mateo",   "Leo",       "Marcos", "Nicolás", "Gonzalo", "Íñigo",
        "Jaime",    "Víctor",    "Samuel",  "Guillermo", "Héctor", "Ignacio", "Tomás",   "Joaquín"};
    return names;
}

const QStringList& NombresMujer() {
    static const QStringList names = {
        "María",   "Carmen", "Ana",      "Isabel",  "Laura",    "Cristina", "Marta",     "Lucía",
        "Elena",   "Paula",  "Sara",     "Raquel",  "Patricia", "Rosa",     "Pilar",     "Beatriz",
        "Silvia",  "Nuria",  "Julia",    "Irene",   "Alba",     "Sofía",    "Martina",   "Valeria",
        "Daniela", "Carla",  "Claudia",  "Noelia",  "Andrea",   "Inés",     "Lorena",    "Mónica",
        "Alicia",  "Rocío",  "Eva",      "Natalia", "Olga",     "Teresa",   "Aitana",    "Candela",
        "Jimena",  "Lola",   "Victoria", "Blanca",  "Begoña",   "Ainhoa",   "Covadonga", "Nerea"};
    return names;
}

const QStringList& Apellidos() {
    static const QStringList names = {
        "García",   "Rodríguez", "González", "Fernández", "López",    "Martínez",  "Sánchez",
        "Pérez",    "Gómez",     "Martín",   "Jiménez",   "Ruiz",     "Hernández", "Díaz",
        "Moreno",   "Muñoz",     "Álvarez",  "Romero",    "Alonso",   "Gutiérrez", "Navarro",
        "Torres",   "Domínguez", "Vázquez",  "Ramos",     "Gil",      "Ramírez",   "Serrano",
        "Blanco",   "Molina",    "Morales",  "Suárez",    "Ortega",   "Delgado",   "Castro",
        "Ortiz",    "Rubio",     "Marín",    "Sanz",      "Núñez",    "Iglesias",  "Medina",
        "Garrido",  "Cortés",    "Castillo", "Santos",    "Lozano",   "Guerrero",  "Cano",
        "Prieto",   "Méndez",    "Cruz",     "Calvo",     "Gallego",  "Vidal",     "León",
        "Márquez",  "Herrera",   "Peña",     "Flores",    "Cabrera",  "Campos",    "Vega",
        "Fuentes",  "Carrasco",  "Diez",     "Caballero", "Reyes",    "Nieto",     "Aguilar",
        "Pascual",  "Santana",   "Herrero",  "Montero",   "Lorenzo",  "Hidalgo",   "Giménez",
        "Ibáñez",   "Ferrer",    "Durán",    "Santiago",  "Benítez",  "Mora",      "Vicente",
        "Arias",    "Vargas",    "Carmona",  "Crespo",    "Román",    "Pastor",    "Soto",
        "Sáez",     "Velasco",   "Moya",     "Soler",     "Parra",    "Esteban",   "Bravo",
        "Gallardo", "Rojas",     "Pardo",    "Merino",    "Franco",   "Espinosa",  "Izquierdo",
        "Lara",     "Rivas",     "Silva",    "Rivera",    "Casado",   "Arroyo",    "Redondo",
        "Camacho",  "Rey",       "Vera",     "Otero",     "Luque",    "Galán",     "Montes",
        "Ríos",     "Sierra",    "Segura",   "Carrillo",  "Marcos",   "Martí",     "Soriano",
        "Mendoza",  "Robles",    "Bernal",   "Vila",      "Valero",   "Palacios",  "Beltrán",
        "Bermúdez", "Contreras", "Aranda",   "Salazar",   "Quintana", "Mateo",     "Zamora"};
    return names;
}

const QStringList& Calles() {
    static const QStringList names = {"Calle Mayor",
                                      "Calle Real",
                                      "Avenida de la Constitución",
                                      "Calle de Alcalá",
                                      "Calle del Carmen",
                                      "Plaza de España",
                                      "Calle Cervantes",
                                      "Calle de la Paz",
                                      "Avenida de Madrid",
                                      "Calle San Antonio",
                                      "Calle Libreros",
                                      "Paseo de la Estación",
                                      "Calle Santiago",
                                      "Calle Ramón y Cajal",
                                      "Avenida de Guadalajara",
                                      "Calle Doctor Fleming",
                                      "Calle Goya",
                                      "Calle Velázquez",
                                      "Calle de la Iglesia",
                                      "Calle Nueva",
                                      "Calle del Sol",
                                      "Avenida de Europa",
                                      "Calle Toledo",
                                      "Calle Sevilla",
                                      "Calle Andalucía",
                                      "Calle Castilla",
                                      "Calle Jardines",
                                      "Calle de los Olivos",
                                      "Calle Miguel de Unamuno",
                                      "Calle Antonio Machado",
                                      "Calle Federico García Lorca",
                                      "Calle Juan Ramón Jiménez",
                                      "Paseo de la Castellana",
                                      "Calle Bravo Murillo",
                                      "Calle de Atocha",
                                      "Calle Princesa"};
    return names;
}

}  // namespace zmk::demo
